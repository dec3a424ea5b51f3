// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/recording/RecordingState.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// The trace file: one channel's samples as text lines "value;time", CR LF after each, and
// CR LF CR LF after the last. Numbers are in the general format with seven significant
// digits under the user's decimal separator ("0,812;0"); the gap marker is "-1E+33".
// Nothing else is stored: no header, unit, channel or start date.

struct TraceSample {
  float value = 0.0f;
  float time = 0.0f;  // seconds since the channel's recording start
};

// The exact bytes of a trace file for one channel's samples 1..count.
std::string writeTraceFile(const TraceStore& store, int channel, char decimalSeparator);

// Why a file cannot be loaded, and where.
struct TraceFileProblem {
  enum class Kind {
    EmptyFile,         // zero bytes: not even a first line
    MissingSeparator,  // a line that is not blank but has no separator
    NotANumber,        // a field that is not exactly one number
    OutOfRange,        // a number too large for a single float
  };
  Kind kind = Kind::EmptyFile;
  int line = 1;       // line of the file, from 1, blank lines counted
  std::string field;  // the offending field (NotANumber, OutOfRange), cut to 40 characters
};

// The samples read from a file, or the first problem found. Whole file parsed before
// anything is stored, so a bad line never leaves a channel half-filled.
struct TraceFileParse {
  std::vector<TraceSample> samples;  // in file order, at most LastSlot; empty on a problem
  int linesLeftOut = 0;              // valid sample lines beyond the channel's capacity
  std::string separator;             // ";" or " || "
  std::optional<TraceFileProblem> problem;

  bool ok() const { return !problem; }
};

// Reads a trace file. Lines end in CR LF, LF or CR; blank lines (nothing but spaces and
// tabs) are skipped anywhere. When the first non-blank line contains " || ", every line is
// split at its first " || ", otherwise at its first ";". Each field, blanks around it
// aside, must be one number: optional sign, digits with at most one decimal point, optional
// exponent ("E"/"e", optional sign, digits), or INF, -INF, NAN as the writer writes them.
// The decimal point may be the user's separator or the other of "." and ",": the writer
// never groups digits, so one "." or "," can only be a decimal point, and a file written
// under either convention loads under both. A field with two of them ("1.234,5") is not a
// number. Every line is checked, also those beyond the capacity.
TraceFileParse readTraceFile(std::string_view bytes, char decimalSeparator);

// Reads one field as the trace reader does: nothing when it is not a finite number;
// `outOfRange` tells a number too large for a single float (infinity too).
std::optional<float> readTraceNumber(std::string_view field, char decimalSeparator,
                                     bool* outOfRange = nullptr);

// Puts loaded samples into slots 1..M of a channel, then sets its count to M. Slots above M
// keep their old contents beyond the count; nothing else of the store changes.
void applyLoadedTrace(TraceStore& store, int channel, const std::vector<TraceSample>& samples);

// A load into the channel that is being recorded ends the recording first, so that no new
// reading lands in the replaced trace: true when "drawing active" is checked and the
// channel's colour is the active colour.
bool loadEndsRecording(const RecordingState& state, int channel);

}  // namespace kelvor
