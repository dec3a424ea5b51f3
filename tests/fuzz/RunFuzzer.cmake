# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one fuzz target for SECONDS on a fresh copy of its seed corpus under WORK.
# Usage: cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -DMAX_LEN=... -P RunFuzzer.cmake
foreach(variable FUZZER SEEDS WORK SECONDS MAX_LEN)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "RunFuzzer.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
file(GLOB seeds ${SEEDS}/*)
if(NOT seeds)
  message(FATAL_ERROR "No seed inputs in ${SEEDS}")
endif()
file(COPY ${seeds} DESTINATION ${WORK}/corpus)

# -timeout: one input taking longer is a hang; -rss_limit_mb: runaway memory is a finding.
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -max_len=${MAX_LEN} -timeout=10
          -rss_limit_mb=1024 -detect_leaks=1 -print_final_stats=1
          -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Fuzzing failed (${result}); the failing input is in ${WORK}/findings "
                      "(run ${FUZZER} on it to see the report again)")
endif()
