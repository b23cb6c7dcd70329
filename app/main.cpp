// Starts the game: splash, application set-up, the main window and its event loop.
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>
#include <cstdio>
#include <string_view>

#include "app/StartupMeasure.h"
#include "ui/CrashReport.h"
#include "ui/MainWindow.h"
#include "ui/SplashScreen.h"

namespace {

void Name() {
  QCoreApplication::setOrganizationName(QStringLiteral("Pellmark"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillbury"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUILLBURY_VERSION));
}

// True when the command line only asks for the help or the version text.
bool AsksForTextOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "-h" || a == "--help" || a == "--help-all" || a == "-?" || a == "-v" ||
        a == "--version") {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Quillbury: a board game for two or three players on one screen."));
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption seed(QStringLiteral("seed"),
                          QStringLiteral("Seed of the dice, for a reproducible game."),
                          QStringLiteral("N"));
  parser.addOption(seed);
  QCommandLineOption host(QStringLiteral("host"),
                          QStringLiteral("Open the Host network game dialog with this port."),
                          QStringLiteral("PORT"));
  parser.addOption(host);
  QCommandLineOption join(QStringLiteral("join"),
                          QStringLiteral("Open the Join network game dialog with this invite "
                                         "(quillbury://ADDRESS:PORT/CODE)."),
                          QStringLiteral("INVITE"));
  parser.addOption(join);
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("A saved game (.qbgame) to open."),
                               QStringLiteral("[file]"));
  if (AsksForTextOnly(argc, argv)) {
    // The help and the version need no display: they are printed before any window exists.
    QCoreApplication text(argc, argv);
    Name();
    parser.process(text);
    return 0;
  }

  quillbury::ui::QuillburyApplication app(argc, argv);
  Name();
  QString appDir = QCoreApplication::applicationDirPath();
  if (!appDir.endsWith(QLatin1Char('/'))) appDir += QLatin1Char('/');
  parser.process(app);

  quillbury::ui::MainWindow::StartOptions options;
  options.AppDir = appDir;
  if (parser.isSet(seed)) {
    bool ok = false;
    const quint64 value = parser.value(seed).toULongLong(&ok);
    if (!ok) {
      std::fprintf(stderr, "quillbury: --seed needs a whole number of 0 or more\n");
      return 2;
    }
    options.Seed = value;
  }
  options.HostPort = parser.value(host);
  options.JoinInvite = parser.value(join);
  if (!parser.positionalArguments().isEmpty()) {
    options.GameFile = QDir::current().absoluteFilePath(parser.positionalArguments().first());
  }

  std::unique_ptr<quillbury::ui::SplashScreen> splash;
  if (!qEnvironmentVariableIsSet("QUILLBURY_MEASURE")) {
    quillbury::ui::Artwork art(appDir, app.devicePixelRatio());
    splash = std::make_unique<quillbury::ui::SplashScreen>(art);
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();
  }
  splash.reset();

  quillbury::ui::MainWindow window(options);
  quillbury::WatchStartup(&window,
                          [&window] { return QString::fromStdString(window.CurrentFile()); });
  if (window.StartupFailed()) return 1;  // the player has been told why
  window.show();
  // The benchmark measures the window with the chart open, too.
  if (qEnvironmentVariableIsSet("QUILLBURY_MEASURE_STATISTICS")) window.ShowStatistics();
  return app.exec();
}
