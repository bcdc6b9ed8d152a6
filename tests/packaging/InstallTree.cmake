# cmake --install into a scratch prefix, then the desktop checks on what arrived there.
# Usage: cmake -DBUILD_DIR=... -DWORK_DIR=... -P InstallTree.cmake
include(${CMAKE_CURRENT_LIST_DIR}/DesktopChecks.cmake)

file(REMOVE_RECURSE "${WORK_DIR}")
run_checked(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}")
check_desktop_tree("${WORK_DIR}")
