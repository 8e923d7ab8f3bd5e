# find_package(Tolvane) gives the imported target Tolvane::tolvane.
include("${CMAKE_CURRENT_LIST_DIR}/TolvaneTargets.cmake")
