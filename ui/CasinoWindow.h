#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QLabel;
class QPushButton;

namespace quillbury::ui {

class Artwork;

// The casino window: the win text over the casino picture and an OK button, without a close
// box. Just after it appears it calls playHurrah, once per showing; the caller decides whether
// that plays a sound.
class CasinoWindow : public QDialog {
  Q_OBJECT

 public:
  CasinoWindow(QWidget* owner, const QString& winText, Artwork& art,
               std::function<void()> playHurrah);

  QLabel* Picture() const { return picture_; }
  QLabel* WinLabel() const { return win_; }
  QPushButton* OkButton() const { return ok_; }
  QTimer* HurrahTimer() const { return hurrah_; }

 public slots:
  void StepWalk();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::function<void()> playHurrah_;
  QLabel* picture_ = nullptr;
  QLabel* win_ = nullptr;
  QPushButton* ok_ = nullptr;
  QTimer* hurrah_ = nullptr;
};

}  // namespace quillbury::ui
