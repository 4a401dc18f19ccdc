# A header-only library as an imported target: its package where the build runs on the target
# itself; for a cross build, the build machine's headers, only the library's own folder of them
# linked into the build tree, since the rest of that machine's /usr/include is not for the
# target.
function(quorbit1_header_library target package folder header)
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(${package} REQUIRED)
    return()
  endif()
  find_path(QUORBIT1_HOST_${folder} ${folder}/${header} PATHS /usr/include
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host-headers)
  file(CREATE_LINK ${QUORBIT1_HOST_${folder}}/${folder} ${CMAKE_BINARY_DIR}/host-headers/${folder}
       SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} INTERFACE ${CMAKE_BINARY_DIR}/host-headers)
endfunction()
