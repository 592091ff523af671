# Configures, builds and runs the unit tests with the sanitizers on.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -G ${GENERATOR}
                  -DCMAKE_BUILD_TYPE=Debug -DFARTOVIK_SANITIZE=ON -DFARTOVIK_BENCH=OFF
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "configuring the sanitized build failed")
endif()
include(ProcessorCount)
ProcessorCount(jobs)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target fartovik_tests fartovik-bases fartovik_question_bases -j ${jobs}
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "building the sanitized tests failed")
endif()
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} "detect_leaks=0:abort_on_error=1")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
execute_process(COMMAND ${BUILD_DIR}/tests/fartovik_tests --gtest_brief=1 RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "the sanitized unit tests failed")
endif()
