# cmake/IntegrityStamp.cmake: stamps a linked program with the digest that ProgramIntegrity checks.
include_guard(GLOBAL)

find_program(STAMP_PYTHON3 NAMES python3 REQUIRED)
# A cache entry, so that every directory sees it: the include guard skips this file after the first.
get_filename_component(_stamp_tool ${CMAKE_CURRENT_LIST_DIR}/../tools/stamp_digest.py ABSOLUTE)
set(STAMP_DIGEST_TOOL ${_stamp_tool} CACHE INTERNAL "the stamp tool")

# Adds the stamping step after the link of a program that compiles installer/ui/ProgramIntegrity.cpp.
# The link's -s has already stripped the file by then; the stamp must be the last step that writes
# it, since any later change makes the program report itself damaged.
function(stamp_program target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${STAMP_PYTHON3} ${STAMP_DIGEST_TOOL} $<TARGET_FILE:${target}>
        COMMENT "Stamping the digest of ${target}"
        VERBATIM)
endfunction()
