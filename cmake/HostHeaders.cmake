# Header-only libraries of the build machine, for a cross build: their own headers are copied
# into the build folder for the target's compiler, so that the build machine's /usr/include (its
# C library's headers) never reaches it.
function(vormelda_host_headers target header)
  find_path(found_${target} ${header} PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  string(REGEX REPLACE "/.*" "" folder ${header})
  file(COPY ${found_${target}}/${folder} DESTINATION ${CMAKE_BINARY_DIR}/host-headers)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/host-headers)
endfunction()
