// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/ReadingHandler.h"

namespace kelvor {

// The window's own meter's reading, shown in the large display only while that display shows
// the own meter's channel; the times always.
class WatchedReadingView : public ReadingView {
 public:
  explicit WatchedReadingView(ReadingView& shown) : shown_(shown) {}
  void showOwn(bool own) { own_ = own; }

  void showValue(const std::string& text) override {
    if (own_) shown_.showValue(text);
  }
  void showMode(const std::string& text) override {
    if (own_) shown_.showMode(text);
  }
  void showCurrentTime(const std::string& text) override { shown_.showCurrentTime(text); }
  void showStartTime(const std::string& text) override { shown_.showStartTime(text); }
  void showRunTime(const std::string& text) override { shown_.showRunTime(text); }
  void showAutoScale(bool on) override { shown_.showAutoScale(on); }

 private:
  ReadingView& shown_;
  bool own_ = true;
};

}  // namespace kelvor
