# cmake/RuntimeTests.cmake: tests that run this build's Windows programs under Wine, in the test prefixes.
#
# Each architecture's build has its own runtime suite in prefixes of its own: x86_64 tests under
# their plain names, i686 tests with the suffix _i686, so that one CTest run can hold both. An
# i686 test goes through vm/lane-test.sh, which runs it here or reports what it did in the
# virtual machine, by the road that lane_i686 took (decided in tools/lib/project.sh).
#
# The suite is split between two prefixes, each with a server, services and a desktop of its
# own: 1 holds the shipped programs run as an administrator runs them (the installer's and the
# removal's dialogs, the launcher) and the installer's resources and link control; 2 the rest,
# about as long in the virtual machine. The tests of one prefix share its registry and run one
# at a time; the two prefixes share nothing, so the virtual machine's runner gives each a
# display of its own and runs them side by side (label ARCH_prefixN). Both are copied from one
# pristine prefix.
include_guard(GLOBAL)

set(RUNTIME_ARCH ${CMAKE_SYSTEM_PROCESSOR})
set(RUNTIME_LABEL ${RUNTIME_ARCH}_runtime)
# The scripts name the pristine after the first prefix (prefix_dir in tools/lib/project.sh).
set(TEST_PRISTINE ${PROJECT_BINARY_DIR}/wineprefix.pristine)
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

# The folder, the CTest fixture (and lock) and the test-name stem of prefix 1 or 2.
function(runtime_prefix number)
    if(number EQUAL 1)
        set(stem "")
    elseif(number EQUAL 2)
        set(stem 2)
    else()
        message(FATAL_ERROR "a runtime test's PREFIX is 1 or 2, not '${number}'")
    endif()
    set(prefix_dir ${PROJECT_BINARY_DIR}/wineprefix${stem} PARENT_SCOPE)
    set(prefix_fixture WinePrefix${stem}${RUNTIME_SUFFIX} PARENT_SCOPE)
    set(prefix_stem wine_prefix${stem} PARENT_SCOPE)
endfunction()

# Adds a runtime test: PROGRAM (a target) run under Wine with ARGS, or a host COMMAND that
# works on the prefix (the fixture's own steps), in PREFIX 1 (the default) or 2. The fixture's
# own steps say SETUP or CLEANUP.
function(add_runtime_test name)
    cmake_parse_arguments(ARG "SETUP;CLEANUP" "PROGRAM;PREFIX" "ARGS;COMMAND" ${ARGN})
    if(NOT ARG_PREFIX)
        set(ARG_PREFIX 1)
    endif()
    runtime_prefix(${ARG_PREFIX})
    if(ARG_PROGRAM)
        set(command ${PROJECT_SOURCE_DIR}/sandbox/wine-run.sh ${RUNTIME_ARCH} ${prefix_dir}
            $<TARGET_FILE:${ARG_PROGRAM}> ${ARG_ARGS})
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
        set_tests_properties(${test} PROPERTIES FIXTURES_SETUP ${prefix_fixture})
    elseif(ARG_CLEANUP)
        set_tests_properties(${test} PROPERTIES FIXTURES_CLEANUP ${prefix_fixture})
    else()
        list(APPEND fixtures ${prefix_fixture})
    endif()
    set_tests_properties(${test} PROPERTIES
        LABELS "${RUNTIME_LABEL};${RUNTIME_ARCH}_prefix${ARG_PREFIX}" TIMEOUT ${RUNTIME_TIMEOUT}
        FIXTURES_REQUIRED "${fixtures}" RESOURCE_LOCK ${prefix_fixture})
endfunction()

# The fixtures: for each prefix a fresh copy prepared like an NT server for every run, and no
# Wine process left behind when the run ends. For i686 the virtual machine, where one is
# needed, comes first.
function(add_runtime_fixture)
    if(RUNTIME_ARCH STREQUAL "i686")
        add_test(NAME lane_i686 COMMAND ${PROJECT_SOURCE_DIR}/vm/lane.sh ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
        set_tests_properties(lane_i686 PROPERTIES FIXTURES_SETUP Lane_i686 LABELS ${RUNTIME_LABEL}
            TIMEOUT 2400)
    endif()
    set(sandbox ${PROJECT_SOURCE_DIR}/sandbox)
    foreach(number 1 2)
        runtime_prefix(${number})
        add_runtime_test(${prefix_stem}_setup SETUP PREFIX ${number}
            COMMAND ${sandbox}/make-prefix.sh ${RUNTIME_ARCH} ${prefix_dir} ${TEST_PRISTINE}
                    $<TARGET_FILE:prepare_prefix> $<TARGET_FILE:url_recorder>)
        add_runtime_test(${prefix_stem}_cleanup CLEANUP PREFIX ${number}
            COMMAND ${sandbox}/stop-prefix.sh ${prefix_dir})
    endforeach()
endfunction()
