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

# The xlsx libraries, compiled here with the same toolchain from the Debian sources that
# scripts/fetch-cross-sources put in ZELBOR_CROSS_SOURCES, and linked statically; zlib is
# Debian's libz-mingw-w64-dev.
if(ZELBOR_XLSX)
  include(ExternalProject)
  set(ZELBOR_CROSS_SOURCES ${CMAKE_BINARY_DIR}/cross-sources CACHE PATH
      "The unpacked sources of the cross-built xlsx libraries")
  set(cross_prefix ${CMAKE_BINARY_DIR}/cross-libraries)
  set(mingw_zlib ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
  # The libraries are configured in folders of their own: the toolchain named from the source tree.
  get_filename_component(ZELBOR_TOOLCHAIN_FILE ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR
                         ${CMAKE_SOURCE_DIR})
  set(cross_arguments
    -DCMAKE_TOOLCHAIN_FILE=${ZELBOR_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${cross_prefix} -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF
    -DZLIB_LIBRARY=${mingw_zlib} -DZLIB_INCLUDE_DIR=${CMAKE_FIND_ROOT_PATH}/include)
  file(MAKE_DIRECTORY ${cross_prefix}/include)

  function(zelbor_cross_library name target archive)
    ExternalProject_Add(${name}_build
      SOURCE_DIR ${ZELBOR_CROSS_SOURCES}/${name}
      CMAKE_ARGS ${cross_arguments} ${ARGN}
      BUILD_BYPRODUCTS ${cross_prefix}/lib/${archive}
      INSTALL_DIR ${cross_prefix})
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${cross_prefix}/lib/${archive})
    target_include_directories(${target} SYSTEM INTERFACE ${cross_prefix}/include)
    add_dependencies(${target} ${name}_build)
  endfunction()

  zelbor_cross_library(pugixml pugixml::pugixml libpugixml.a -DPUGIXML_BUILD_TESTS=OFF)
  zelbor_cross_library(libzip PkgConfig::libzip libzip.a
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DBUILD_TOOLS=OFF
    -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF)
  target_compile_definitions(PkgConfig::libzip INTERFACE ZIP_STATIC)
  target_link_libraries(PkgConfig::libzip INTERFACE ${mingw_zlib})
  # MinGW's own printf, as C99 has it: numbers are written as on Linux ("1E+16", not "1E+016").
  zelbor_cross_library(libxlsxwriter PkgConfig::xlsxwriter libxlsxwriter.a
    -DCMAKE_C_FLAGS=-D__USE_MINGW_ANSI_STDIO=1)
  target_link_libraries(PkgConfig::xlsxwriter INTERFACE ${mingw_zlib})
endif()
