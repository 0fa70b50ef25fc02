#pragma once

#include <QWidget>

namespace varnel {

// A group box as dialogs draw one: an etched frame whose top line runs through the
// middle of the title, the title breaking the line near its left end. It only draws;
// its inside shows whatever lies beneath it.
class GroupFrame : public QWidget {
 public:
  GroupFrame(const QString& title, QWidget* parent = nullptr);
  const QString& title() const { return title_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
};

}  // namespace varnel
