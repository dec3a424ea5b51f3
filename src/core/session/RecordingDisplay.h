// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recording/Recorder.h"
#include "core/recording/Recording.h"
#include "core/session/ReadingView.h"

namespace kelvor {

// Shows the recording's state as it changes: "drawing active", "auto-scale", the first
// alarm and the active channel's colour. A replay shows nothing: it ends with the state it
// found.
class RecordingDisplay : public RecordingListener {
 public:
  RecordingDisplay(ReadingView& reading, RecorderView& recorder)
      : reading_(reading), recorder_(recorder) {}
  void recordingChanged(RecordingChange change, const RecordingState& state) override;

 private:
  ReadingView& reading_;
  RecorderView& recorder_;
};

}  // namespace kelvor
