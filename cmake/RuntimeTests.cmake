# cmake/RuntimeTests.cmake: tests that run this build's Windows programs under Wine, in the test prefix.
#
# Each architecture's build has its own runtime suite in a prefix of its own: x86_64 tests under
# their plain names, i686 tests with the suffix _i686, so that one CTest run can hold both. An
# i686 test goes through vm/lane-test.sh, which runs it here or reports what it did in the
# virtual machine, by the road that lane_i686 took (decided in tools/lib/project.sh).
include_guard(GLOBAL)

set(RUNTIME_ARCH ${CMAKE_SYSTEM_PROCESSOR})
set(RUNTIME_LABEL ${RUNTIME_ARCH}_runtime)
# The scripts name the same folder the test prefix (prefix_dir in tools/lib/project.sh).
set(TEST_PREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(WINE_RUN ${PROJECT_SOURCE_DIR}/sandbox/wine-run.sh ${RUNTIME_ARCH} ${TEST_PREFIX})
# In the virtual machine's software emulation a test takes several times as long as here.
if(RUNTIME_ARCH STREQUAL "i686")
    set(RUNTIME_SUFFIX _i686)
    set(RUNTIME_RUNNER ${PROJECT_SOURCE_DIR}/vm/lane-test.sh ${PROJECT_BINARY_DIR})
    set(RUNTIME_LANE_FIXTURE Lane_i686)
    set(RUNTIME_TIMEOUT 900)
else()
    set(RUNTIME_SUFFIX "")
    set(RUNTIME_RUNNER "")
    set(RUNTIME_LANE_FIXTURE "")
    set(RUNTIME_TIMEOUT 300)
endif()
set(RUNTIME_PREFIX_FIXTURE WinePrefix${RUNTIME_SUFFIX})

# Adds a runtime test: PROGRAM (a target) run under Wine with ARGS, or a host COMMAND that
# works on the prefix (the fixture's own steps). Every one shares the prefix and its registry,
# so they run one at a time. The fixture's own steps say SETUP or CLEANUP.
function(add_runtime_test name)
    cmake_parse_arguments(ARG "SETUP;CLEANUP" "PROGRAM" "ARGS;COMMAND" ${ARGN})
    if(ARG_PROGRAM)
        set(command ${WINE_RUN} $<TARGET_FILE:${ARG_PROGRAM}> ${ARG_ARGS})
    else()
        set(command ${ARG_COMMAND})
    endif()
    set(test ${name}${RUNTIME_SUFFIX})
    if(RUNTIME_RUNNER)
        set(command ${RUNTIME_RUNNER} ${test} ${command})
    endif()
    add_test(NAME ${test} COMMAND ${command})
    set(fixtures ${RUNTIME_LANE_FIXTURE})
    if(ARG_SETUP)
        set_tests_properties(${test} PROPERTIES FIXTURES_SETUP ${RUNTIME_PREFIX_FIXTURE})
    elseif(ARG_CLEANUP)
        set_tests_properties(${test} PROPERTIES FIXTURES_CLEANUP ${RUNTIME_PREFIX_FIXTURE})
    else()
        list(APPEND fixtures ${RUNTIME_PREFIX_FIXTURE})
    endif()
    set_tests_properties(${test} PROPERTIES LABELS ${RUNTIME_LABEL} TIMEOUT ${RUNTIME_TIMEOUT}
        FIXTURES_REQUIRED "${fixtures}" RESOURCE_LOCK ${RUNTIME_PREFIX_FIXTURE})
endfunction()

# The fixture: a fresh prefix prepared like an NT server for every run, and no Wine process
# left behind when the run ends. For i686 the virtual machine, where one is needed, comes first.
function(add_runtime_fixture)
    if(RUNTIME_ARCH STREQUAL "i686")
        add_test(NAME lane_i686 COMMAND ${PROJECT_SOURCE_DIR}/vm/lane.sh ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
        set_tests_properties(lane_i686 PROPERTIES FIXTURES_SETUP Lane_i686 LABELS ${RUNTIME_LABEL}
            TIMEOUT 2400)
    endif()
    set(sandbox ${PROJECT_SOURCE_DIR}/sandbox)
    add_runtime_test(wine_prefix_setup SETUP
        COMMAND ${sandbox}/make-prefix.sh ${RUNTIME_ARCH} ${TEST_PREFIX}
                $<TARGET_FILE:prepare_prefix> $<TARGET_FILE:url_recorder>)
    add_runtime_test(wine_prefix_cleanup CLEANUP COMMAND ${sandbox}/stop-prefix.sh ${TEST_PREFIX})
endfunction()
