# Builds the Debian package from the finished build, checks that its dependencies were worked
# out from the binary, unpacks it and starts the program it holds.
# Usage: cmake -DBUILD_DIR=... -DWORK_DIR=... -DCPACK=... -P DebianPackage.cmake
include(${CMAKE_CURRENT_LIST_DIR}/DesktopChecks.cmake)
require_tool(DPKG_DEB dpkg-deb)
require_tool(TIMEOUT timeout)
require_tool(LINTIAN lintian)

file(REMOVE_RECURSE "${WORK_DIR}")
run_checked(${CPACK} -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}")
file(GLOB debs "${WORK_DIR}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${WORK_DIR}, found ${count}")
endif()

# dpkg-shlibdeps gives every linked library's package with a minimum version; without it the
# package would install on a system that cannot run it.
execute_process(COMMAND ${DPKG_DEB} -f ${debs} Depends OUTPUT_VARIABLE depends
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Depends: ${depends}")
foreach(library IN ITEMS libc6 libstdc\\+\\+6 libqt6core6 libqt6widgets6 libqt6webenginewidgets6)
    if(NOT depends MATCHES "(^|, )${library} \\(>= [^)]+\\)")
        message(FATAL_ERROR "Depends lacks a versioned ${library}: ${depends}")
    endif()
endforeach()

# Debian's own checks, as a distribution would run them: no error and no warning.
run_checked(${LINTIAN} --fail-on error,warning ${debs})
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" faults "${out}")
if(faults)
    message(FATAL_ERROR "lintian on ${debs}:${faults}")
endif()

set(root "${WORK_DIR}/root")
run_checked(${DPKG_DEB} -x ${debs} "${root}")
check_desktop_tree("${root}/usr")

# --version and --help answer from the installed program with no display at all.
function(expect_answer option pattern)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
                            --unset=WAYLAND_DISPLAY ${TIMEOUT} 20 "${PROGRAM}" ${option}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0 OR NOT out MATCHES "${pattern}")
        message(FATAL_ERROR "${PROGRAM} ${option} ended with ${result}:\n${out}${err}")
    endif()
endfunction()
expect_answer(--version "^quillet-lookup ${VERSION}\n$")
expect_answer(--help "^Usage: [^\n]*quillet-lookup .*--webEngineArgs.*--version")

# Started headless, the program must still be running when the timeout ends it; a missing
# library, plugin or resource would end it at once.
execute_process(COMMAND ${TIMEOUT} --kill-after=10 8 "${PROGRAM}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 124)
    message(FATAL_ERROR "${PROGRAM} ended with ${result} before the timeout:\n${out}")
endif()
message(STATUS "${PROGRAM} ran until stopped by the timeout")
