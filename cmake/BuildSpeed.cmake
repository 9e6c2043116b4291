# Two ways to build a tree from scratch in less time; both are off by default because they make
# the rebuild of one changed file slower and keep the compiler cache from sharing objects
# between checkouts. scripts/test switches them on for the trees it creates.
#  - batches (unity build): each target's sources are compiled a dozen at a time, so the headers
#    and the templates they share are compiled once per batch instead of once per file;
#  - precompiled headers: the test programs and the Qt targets read the big library headers
#    (GoogleTest, Qt, the standard library) from a compiled form.
option(KQ70_UNITY_BUILD "Compile each target's sources in batches" OFF)
option(KQ70_PRECOMPILED_HEADERS "Precompile the library headers of the test and Qt targets" OFF)
set(KQ70_UNITY_BATCH_SIZE 12 CACHE STRING "Sources per batch when KQ70_UNITY_BUILD is on")

# GCC 12 reports out-of-bounds copies inside std::string that cannot happen when it inlines
# across the files of a batch or through a precompiled header. They stay warnings there; the
# file-by-file build, where they do not arise, still fails on them.
function(kq70_relax_inlining_warnings target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-error=array-bounds -Wno-error=restrict
                           -Wno-error=stringop-overflow -Wno-error=stringop-overread)
  endif()
endfunction()

# kq70_batch(TARGET [SKIP file...]): compiles TARGET in batches when KQ70_UNITY_BUILD is on.
# SKIP names sources that must stay on their own.
function(kq70_batch target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SKIP")
  if(NOT KQ70_UNITY_BUILD)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON
                                             UNITY_BUILD_BATCH_SIZE ${KQ70_UNITY_BATCH_SIZE})
  kq70_relax_inlining_warnings(${target})
  if(arg_SKIP)
    set_source_files_properties(${arg_SKIP} TARGET_DIRECTORY ${target}
                                PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  endif()
endfunction()

# kq70_precompile(TARGET header...): precompiles those headers for TARGET when
# KQ70_PRECOMPILED_HEADERS is on. Only headers from outside the project: a project header there
# would rebuild the whole target on every change to it.
function(kq70_precompile target)
  if(KQ70_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} PRIVATE ${ARGN})
    kq70_relax_inlining_warnings(${target})
  endif()
endfunction()
