#include "core/StrongComputer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/GameRoutines.h"
#include "core/GameRules.h"
#include "core/Random.h"

namespace quillbury {
namespace {

constexpr double kInterest = 0.14;

// Chance of each dice total 2..12.
constexpr double Chance(int total) { return (6 - (total > 7 ? total - 7 : 7 - total)) / 36.0; }

int Advance(int square, int steps) {
  const int s = (square - 1 + steps) % kSquareCount + 1;
  return KindOfSquare(s) == SquareKind::Shortcut ? kShortcutTarget : s;
}

// Chance that a roll from square reaches square 1 on the way.
double PassStartOdds(int square) {
  double odds = 0;
  for (int total = 2; total <= 12; ++total) {
    if (square + total > kSquareCount) odds += Chance(total);
  }
  return odds;
}

std::int32_t LevelValue(const Ground& g, std::int32_t level) {
  return level < 0 ? 0 : g.Houses[static_cast<std::size_t>(level)].Rent;
}

}  // namespace

StrongComputer::StrongComputer(std::uint64_t thinkSeed, int think)
    : thinking_(thinkSeed ^ 0x5DEECE66DULL), think_(think < 0 ? 0 : think) {}

std::array<double, kSquareCount + 1> StrongComputer::LandingOdds(const GameState& game,
                                                                 int player) {
  std::array<double, kSquareCount + 1> odds{};
  for (int p = 0; p < game.PlayerCount(); ++p) {
    const Player& other = game.Players[static_cast<std::size_t>(p)];
    if (p == player || !other.Playing || other.Jail > 0) continue;
    const int from = std::clamp(other.CurrentPosition, 1, kSquareCount);
    for (int total = 2; total <= 12; ++total) {
      const int at = Advance(from, total);
      odds[static_cast<std::size_t>(at)] += Chance(total);
      if (total == 12) {
        // The extra turn of a double six: a second move from where the first ended.
        for (int again = 2; again <= 12; ++again) {
          odds[static_cast<std::size_t>(Advance(at, again))] += Chance(12) * Chance(again);
        }
      }
    }
  }
  return odds;
}

StrongComputer::Plan StrongComputer::MakePlan(const GameState& game, int player, double boldness) {
  Plan plan;
  plan.Level.fill(-1);
  const Player& me = game.Players[static_cast<std::size_t>(player)];
  const auto odds = LandingOdds(game, player);
  const int from = std::clamp(me.CurrentPosition, 1, kSquareCount);

  // Cash kept back for the dearest unowned ground this roll may end on. When the roll may also
  // reach square 1, that cash stands against the loan and costs its interest: a ground counts
  // only while the chance of landing there, times half its price, outweighs that.
  const double passCost = kInterest * PassStartOdds(from);
  std::int64_t reserve = 0;
  for (int total = 2; total <= 12; ++total) {
    if (Chance(total) * 0.5 < passCost) continue;
    const int at = Advance(from, total);
    const int g = GroundIndexBySquare(game.Grounds, at);
    if (g >= 0 && game.Grounds[static_cast<std::size_t>(g)].Owner == -1) {
      reserve = std::max<std::int64_t>(reserve, game.Grounds[static_cast<std::size_t>(g)].Price);
    }
  }

  // Everything now in buildings comes back at its value, so it is capital to place again.
  std::int64_t cash = me.Money;
  for (int g = 0; g < kGroundCount; ++g) {
    const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
    if (ground.Owner == player) cash += LevelValue(ground, ground.House);
  }
  // What may be borrowed: the limit counts cash and lots net of the loan, so it does not move
  // when money is borrowed or put into buildings.
  const std::int64_t limit =
      std::max<std::int64_t>(MaxLoanOf(Saturate(cash), LotsValue(game, player), me.Loan), me.Loan);
  // A loan standing during a roll that may reach square 1 costs its interest that often.
  const double loanCost = passCost / boldness;

  std::vector<int> mine;
  for (int g = 0; g < kGroundCount; ++g) {
    const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
    if (ground.Owner == player && odds[static_cast<std::size_t>(ground.Square)] > 0) {
      mine.push_back(g);
    }
  }
  auto hit = [&](int g) {
    return odds[static_cast<std::size_t>(game.Grounds[static_cast<std::size_t>(g)].Square)];
  };
  std::stable_sort(mine.begin(), mine.end(), [&](int a, int b) { return hit(a) > hit(b); });

  std::int64_t own = cash - reserve;
  std::int64_t loan = me.Loan;

  if (loanCost > 0) {
    // Repaid first; borrowed again below only where the rent is worth the interest.
    const std::int64_t repay = std::clamp<std::int64_t>(own, 0, loan);
    loan -= repay;
    own -= repay;
    // A loan that the cash and buildings cannot cover pays its interest lap after lap: grounds
    // that no other player can reach on his next move are sold back at their price to clear it.
    for (int g = 0; g < kGroundCount && loan > 0; ++g) {
      const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
      if (ground.Owner != player || odds[static_cast<std::size_t>(ground.Square)] > 0) continue;
      plan.Sell[static_cast<std::size_t>(g)] = true;
      const std::int64_t cut = std::min<std::int64_t>(loan, ground.Price);
      loan -= cut;
      own += ground.Price - cut;
    }
  }
  for (int g : mine) {
    const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
    const std::int64_t borrowable = hit(g) > loanCost ? std::max<std::int64_t>(0, limit - loan) : 0;
    const std::int64_t available = std::max<std::int64_t>(own, 0) + borrowable;
    for (int level = 3; level >= 0; --level) {
      const std::int64_t value = LevelValue(ground, level);
      if (value <= 0 || value > available) continue;
      plan.Level[static_cast<std::size_t>(g)] = level;
      plan.Order.push_back(g);
      const std::int64_t fromOwn = std::min(std::max<std::int64_t>(own, 0), value);
      own -= fromOwn;
      loan += value - fromOwn;
      break;
    }
  }
  plan.Loan = loan;
  plan.Idle = std::max<std::int64_t>(own - loan, 0);
  return plan;
}

std::int64_t StrongComputer::PriceFromPlayer(const GameState& game, int ground) {
  const std::int64_t base = std::int64_t{game.Grounds[static_cast<std::size_t>(ground)].Price} +
                            BuildingValue(game, ground);
  const std::int64_t received = base + base / 2;
  return received + (received / 100) * 30;
}

int StrongComputer::GroundToBuy(const GameState& game, int player) {
  // Capital beyond what its own grounds can hold earns nothing, while the rent it pays and the
  // salaries keep growing; a ground bought from another player both stops his rent and carries
  // buildings. The seller gains half the ground's value, so only a player well behind is
  // bought from, and only with cash the plan leaves idle twice over.
  constexpr double kWorthAhead = 1.5;
  constexpr std::int64_t kIdleShare = 2;
  const Player& me = game.Players[static_cast<std::size_t>(player)];
  const double worth = static_cast<double>(WorthOf(game, player).Total);
  const std::int64_t idle = MakePlan(game, player).Idle;
  const auto odds = LandingOdds(game, player);
  int best = -1;
  double bestScore = 0;
  for (int g = 0; g < kGroundCount; ++g) {
    const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
    if (ground.Owner < 0 || ground.Owner == player ||
        worth < kWorthAhead * static_cast<double>(WorthOf(game, ground.Owner).Total)) {
      continue;
    }
    const std::int64_t paid = PriceFromPlayer(game, g);
    if (paid * kIdleShare > idle || paid > me.Money) continue;
    // The dearest ground the others are about to land on; one nobody reaches next still
    // counts for the laps after.
    const double score = ground.Price * (0.02 + odds[static_cast<std::size_t>(ground.Square)]);
    if (best < 0 || score > bestScore) {
      best = g;
      bestScore = score;
    }
  }
  return best;
}

bool StrongComputer::Behind(const GameState& game, int player) {
  const std::int64_t mine = WorthOf(game, player).Total;
  for (int p = 0; p < game.PlayerCount(); ++p) {
    if (p != player && game.Players[static_cast<std::size_t>(p)].Playing &&
        WorthOf(game, p).Total > mine) {
      return true;
    }
  }
  return false;
}

bool StrongComputer::WantsToBuy(const GameState&, int, int) { return true; }

NumberAnswer StrongComputer::ChooseNumber(NumberQuestion, const GameState&, int,
                                          std::optional<std::int32_t>) {
  if (answers_.empty()) return NumberAnswer::Nothing();
  const std::int32_t v = answers_.front();
  answers_.pop_front();
  return NumberAnswer::Of(v);
}

void StrongComputer::Carry(GameRules& rules, const Plan& plan) {
  const int player = rules.State().CurrentPlayer;
  auto ask = [this](std::initializer_list<std::int32_t> values) {
    answers_.assign(values.begin(), values.end());
  };
  for (int g = 0; g < kGroundCount; ++g) {
    if (!plan.Sell[static_cast<std::size_t>(g)] ||
        rules.State().Grounds[static_cast<std::size_t>(g)].Owner != player) {
      continue;
    }
    ask({g + 1});
    rules.SellCompany();
  }
  // Lower first: that frees the cash the rest needs.
  for (int g = 0; g < kGroundCount; ++g) {
    const Ground& ground = rules.State().Grounds[static_cast<std::size_t>(g)];
    const std::int32_t target = plan.Level[static_cast<std::size_t>(g)];
    if (ground.Owner != player || ground.House <= target) continue;
    if (target < 0) {
      ask({g + 1, ground.House + 1});
      rules.SellBuilding();
    } else {
      ask({g + 1, target + 1});
      rules.Build();
    }
  }
  {
    // The loan limit counts cash but not buildings: when the plan needs more than the limit
    // allows now, the buildings it keeps are sold first and built again after the loan.
    const Player& before = rules.State().Players[static_cast<std::size_t>(player)];
    const std::int64_t room = std::int64_t{MaxLoan(rules.State(), player)} - before.Loan;
    if (plan.Loan - before.Loan > room) {
      for (int g = 0; g < kGroundCount; ++g) {
        const Ground& ground = rules.State().Grounds[static_cast<std::size_t>(g)];
        if (ground.Owner != player || ground.House < 0) continue;
        ask({g + 1, ground.House + 1});
        rules.SellBuilding();
      }
    }
  }
  const Player& me = rules.State().Players[static_cast<std::size_t>(player)];
  if (plan.Loan < me.Loan) {
    const std::int64_t repay = std::min<std::int64_t>(me.Loan - plan.Loan, me.Money);
    if (repay > 0) {
      ask({static_cast<std::int32_t>(repay)});
      rules.RepayLoan();
    }
  } else if (plan.Loan > me.Loan) {
    // Asked only for what the limit allows now, so the action never has to refuse.
    const std::int64_t room = std::int64_t{MaxLoan(rules.State(), player)} - me.Loan;
    const std::int64_t want = std::min<std::int64_t>(plan.Loan - me.Loan, room);
    if (want > 0 && std::int64_t{me.Money} + want <= kInt32Max) {
      ask({static_cast<std::int32_t>(want)});
      rules.TakeLoan();
    }
  }
  for (int g : plan.Order) {
    const Ground& ground = rules.State().Grounds[static_cast<std::size_t>(g)];
    const std::int32_t current = ground.House;
    if (ground.Owner != player || current >= plan.Level[static_cast<std::size_t>(g)]) continue;
    // The highest planned level the cash now covers.
    std::int32_t level = plan.Level[static_cast<std::size_t>(g)];
    const std::int32_t money = rules.State().Players[static_cast<std::size_t>(player)].Money;
    while (level > current &&
           std::int64_t{LevelValue(ground, level)} - LevelValue(ground, current) > money) {
      --level;
    }
    if (level <= current) continue;
    ask({g + 1, level + 1});
    rules.Build();
  }
  answers_.clear();
}

void StrongComputer::TakeTurn(GameRules& rules) {
  const int player = rules.State().CurrentPlayer;
  // One at a time: each purchase changes the plan that would pay for the next.
  for (int g = GroundToBuy(rules.State(), player); g >= 0; g = GroundToBuy(rules.State(), player)) {
    answers_.assign({g + 1});
    rules.BuyGroundFromPlayer();
    answers_.clear();
    if (rules.State().Grounds[static_cast<std::size_t>(g)].Owner != player) break;
  }
  Plan best = MakePlan(rules.State(), player);
  // Ahead, the plan is sound on average and rollouts over one round only add their noise and
  // their short sight; behind, a variant that does better on the same dice is worth looking for.
  if (think_ > 0 && Behind(rules.State(), player)) {
    // Variants of the plan, each played out to the strong player's next turn on copies of the
    // game, the same dice for every variant.
    std::vector<Plan> variants{best};
    for (double boldness : {0.5, 2.0}) {
      const Plan v = MakePlan(rules.State(), player, boldness);
      const bool known = std::any_of(variants.begin(), variants.end(), [&](const Plan& p) {
        return p.Level == v.Level && p.Sell == v.Sell && p.Loan == v.Loan && p.Order == v.Order;
      });
      if (!known) variants.push_back(v);
    }
    if (variants.size() > 1) {
      std::vector<std::uint64_t> seeds(static_cast<std::size_t>(think_));
      for (auto& s : seeds) s = thinking_();
      GameState start = rules.State();
      for (std::size_t p = 0; p < start.Players.size(); ++p) {
        start.Players[p].CPU = true;
        start.Players[p].Level =
            static_cast<int>(p) == player ? ComputerLevel::Strong : ComputerLevel::Classic;
      }
      // The plan stays unless a variant beats it on the same dice by more than twice the
      // standard error of the difference: a variant that only drew luckier rolls is no better.
      std::vector<double> base;
      base.reserve(seeds.size());
      for (std::uint64_t seed : seeds) base.push_back(Rollout(start, player, variants[0], seed));
      double bestGain = 0;
      for (std::size_t v = 1; v < variants.size(); ++v) {
        double sum = 0, squares = 0;
        for (std::size_t i = 0; i < seeds.size(); ++i) {
          const double d = Rollout(start, player, variants[v], seeds[i]) - base[i];
          sum += d;
          squares += d * d;
        }
        const double n = static_cast<double>(seeds.size());
        const double mean = sum / n;
        const double spread = std::sqrt(std::max(0.0, squares / n - mean * mean) / n);
        if (mean > 2 * spread && mean > bestGain) {
          bestGain = mean;
          best = variants[v];
        }
      }
    }
  }
  Carry(rules, best);
  rules.Roll();
}

double StrongComputer::Rollout(const GameState& start, int player, const Plan& plan,
                               std::uint64_t seed) {
  SilentDialogs dialogs;  // the end of a game ends the rollout
  SeededRandom dice(seed);
  GameRules copy(dialogs, dice);
  copy.SetSeat(SeatKind::StrongComputer, *this);
  copy.LoadGame(start);
  Carry(copy, plan);
  copy.Roll();
  // Everybody else's turn, until the strong player may roll again or the game is over.
  for (int guard = 0; guard < 64 && !dialogs.gameOver; ++guard) {
    while (copy.Walking()) copy.StepWalk();
    copy.RefreshStatus();
    if (dialogs.gameOver) break;
    const GameState& now = copy.State();
    if (now.CurrentPlayer == player && copy.RollAllowed()) break;
    copy.ComputerTurnTick();
  }
  const GameState& end = copy.State();
  const Player& me = end.Players[static_cast<std::size_t>(player)];
  if (dialogs.gameOver) return me.Playing ? 1e10 : -1e10;
  double best = 0;
  for (int p = 0; p < end.PlayerCount(); ++p) {
    if (p == player || !end.Players[static_cast<std::size_t>(p)].Playing) continue;
    best = std::max(best, static_cast<double>(WorthOf(end, p).Total));
  }
  return static_cast<double>(WorthOf(end, player).Total) - best;
}

}  // namespace quillbury
