# The ThreadSanitizer tree (KQ70_TSAN) builds and runs only the tests that exercise threads:
# the GoogleTest tests whose suite or test name holds one of these words, and the Qt test
# classes listed here. A new test joins by its name. scripts/test-threads runs them (ctest -L threads).
set(KQ70_THREAD_SUITE_WORDS Log Cancel Interrupt Signal Thread Worker Fleet)
set(KQ70_THREAD_GUI_CLASSES CommunicationWindowTest AlignmentWindowTest AlignmentPassTest
    StopSignalTest FleetWindowTest SeamContractTest)

list(JOIN KQ70_THREAD_SUITE_WORDS "|" kq70_words)
set(KQ70_THREAD_SUITE_REGEX
    "^(TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P|INSTANTIATE_TEST_SUITE_P)\\([^)]*(${kq70_words})")
list(TRANSFORM KQ70_THREAD_SUITE_WORDS PREPEND "*" OUTPUT_VARIABLE kq70_filter)
list(TRANSFORM kq70_filter APPEND "*")
list(JOIN kq70_filter ":" KQ70_THREAD_SUITE_FILTER)

set(KQ70_TSAN_ENVIRONMENT
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_CURRENT_LIST_DIR}/support/tsan.supp")

# kq70_thread_test_sources(OUT source...): the sources that define a thread test. Each is
# read when the tree is configured, and a change to one configures the tree again.
function(kq70_thread_test_sources out)
  set(selected)
  foreach(source ${ARGN})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} suites REGEX "${KQ70_THREAD_SUITE_REGEX}")
    if(suites)
      list(APPEND selected ${source})
    endif()
  endforeach()
  set(${out} ${selected} PARENT_SCOPE)
endfunction()

function(kq70_thread_tests target)
  add_test(NAME threads COMMAND ${target} --gtest_filter=${KQ70_THREAD_SUITE_FILTER}
                                --gtest_brief=1)
  set_tests_properties(threads PROPERTIES LABELS threads
                       ENVIRONMENT "${KQ70_TSAN_ENVIRONMENT}")
endfunction()
