# The test and command-line libraries for a cross build, where the host's packages cannot be
# linked: GoogleTest built from the sources Debian ships in /usr/src/googletest, and CLI11 and
# nlohmann-json, which are headers only. Each gets a folder of its own headers; the host's
# /usr/include as a whole never joins the target's include path.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

function(zelbor_header_only_library target header_folder)
  string(MAKE_C_IDENTIFIER ${target} folder)
  set(include_dir ${CMAKE_BINARY_DIR}/header-only/${folder})
  get_filename_component(folder_name ${header_folder} NAME)
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${header_folder} ${include_dir}/${folder_name} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} SYSTEM INTERFACE ${include_dir})
endfunction()

zelbor_header_only_library(CLI11::CLI11 /usr/include/CLI)
zelbor_header_only_library(nlohmann_json::nlohmann_json /usr/include/nlohmann)
