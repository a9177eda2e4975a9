# cmake/ProductFlags.cmake: compile and link settings shared by the shipped programs.
#
# The programs go to old servers on whatever media is at hand, so size matters from the first
# line: no exceptions, no RTTI, no standard containers, and operator new/delete of our own
# (afx/afxmem.cpp), which keeps libstdc++ out of the link. Measured with this toolchain, that is
# the difference between about 15 KB and 160 KB for the same classes.

# Windows 2000 headers are the newest the programs may use; NT 4.0 must still load them.
add_compile_definitions(WINVER=0x0500 _WIN32_WINNT=0x0500)
add_compile_options(-Wall -Wextra)

set(PRODUCT_CXX_FLAGS
    -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
    -fno-threadsafe-statics -fcheck-new -ffunction-sections -fdata-sections -fno-ident
    # Debug builds name a failed ASSERT's file: as a path below the checkout, not on this machine.
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)

# NT 4.0 is subsystem version 4.0; Windows 2000 refuses anything above 5.0. A program is
# always loaded at its preferred base on these systems, so it needs no relocation section.
# The link time stamp is 0 instead of the clock (ld's default), so that the same sources give
# the same file; nothing reads it, as the programs have no bound imports.
set(PRODUCT_LINK_FLAGS
    -static -s -mwindows -Wl,--gc-sections -Wl,--disable-reloc-section -Wl,--no-insert-timestamp
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)

# Applies the product's size-minded compile options to a target (library or program).
function(product_compile_options target)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:${PRODUCT_CXX_FLAGS}>)
endfunction()

# Makes a shipped GUI program: product options plus the static, stripped link.
function(product_program target)
    product_compile_options(${target})
    target_link_options(${target} PRIVATE ${PRODUCT_LINK_FLAGS})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()

# Links a program with its own entry point instead of the C runtime's start-up code. The
# function is declared WINAPI (stdcall, no arguments): on i686 its symbol is decorated as
# _NAME@0, on x86_64, with its single calling convention, it is plain NAME.
function(product_entry_point target name)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        set(symbol _${name}@0)
    else()
        set(symbol ${name})
    endif()
    target_link_options(${target} PRIVATE -nostartfiles -Wl,-e,${symbol})
endfunction()
