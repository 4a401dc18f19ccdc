# A header-only library of the build machine as an imported target for a cross build: only its
# own folder of headers is linked into the build tree, since the rest of the machine's
# /usr/include is not for the target.
function(quorbit1_host_headers target folder header)
  find_path(QUORBIT1_HOST_${folder} ${folder}/${header} PATHS /usr/include
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host-headers)
  file(CREATE_LINK ${QUORBIT1_HOST_${folder}}/${folder} ${CMAKE_BINARY_DIR}/host-headers/${folder}
       SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} INTERFACE ${CMAKE_BINARY_DIR}/host-headers)
endfunction()
