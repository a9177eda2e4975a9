# cmake/IntegrityStamp.cmake: stamps a linked program with the digest that ProgramIntegrity checks.
include_guard(GLOBAL)

# A cache entry, so that every directory sees it: the include guard skips this file after the first.
set(STAMP_DIGEST_TOOL ${CMAKE_CURRENT_LIST_DIR}/stamp_digest.py CACHE INTERNAL "the stamp tool")

# Adds the stamping step after the link of a program that links installer_integrity.
# The link's -s has already stripped the file by then; the stamp must be the last step that writes
# it, since any later change makes the program report itself damaged.
function(stamp_program target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${DEBIAN_PYTHON3} ${STAMP_DIGEST_TOOL} $<TARGET_FILE:${target}>
        COMMENT "Stamping the digest of ${target}"
        VERBATIM)
endfunction()
