# cmark-gfm 0.29.0.gfm.13 with its core extensions, compiled from the upstream source tarball that
# scripts/setup fetches (pinned by its hash) with this project's compilers and flags. The headers
# that the library's own build system would generate are written here instead.
#
# Include layout for users of the library: <cmark-gfm.h>, <cmark-gfm-extension_api.h>,
# <cmark-gfm-core-extensions.h> and <cmark-gfm_version.h>, and the internal headers under
# <cmark-gfm/...> (node.h, parser.h, ...), which our extension code reads.

set(LUMENLEAF_CMARK_GFM_TARBALL
    "${PROJECT_SOURCE_DIR}/build/deps/cmark-gfm_0.29.0.gfm.13.orig.tar.gz"
    CACHE FILEPATH "The cmark-gfm 0.29.0.gfm.13 source tarball (scripts/setup fetches it)")
set(cmark_gfm_sha256 5abc61798ebd9de5660bc076443c07abad2b8d15dbc11094a3a79644b8ad243a)

if(NOT EXISTS "${LUMENLEAF_CMARK_GFM_TARBALL}")
  message(FATAL_ERROR "The cmark-gfm source ${LUMENLEAF_CMARK_GFM_TARBALL} is missing. "
                      "Run scripts/setup, which fetches it, then configure again.")
endif()
file(SHA256 "${LUMENLEAF_CMARK_GFM_TARBALL}" cmark_gfm_actual_sha256)
if(NOT cmark_gfm_actual_sha256 STREQUAL cmark_gfm_sha256)
  message(FATAL_ERROR "${LUMENLEAF_CMARK_GFM_TARBALL} has the sha256 ${cmark_gfm_actual_sha256}, "
                      "not the pinned ${cmark_gfm_sha256}. Remove it and run scripts/setup.")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${LUMENLEAF_CMARK_GFM_TARBALL}")

set(cmark_gfm_root "${CMAKE_BINARY_DIR}/_deps/cmark-gfm")
set(cmark_gfm_source "${cmark_gfm_root}/cmark-gfm-0.29.0.gfm.13")
set(cmark_gfm_include "${cmark_gfm_root}/include")
if(NOT EXISTS "${cmark_gfm_root}/extracted-${cmark_gfm_sha256}")
  file(REMOVE_RECURSE "${cmark_gfm_root}")
  file(ARCHIVE_EXTRACT INPUT "${LUMENLEAF_CMARK_GFM_TARBALL}" DESTINATION "${cmark_gfm_root}")
  file(TOUCH "${cmark_gfm_root}/extracted-${cmark_gfm_sha256}")
endif()

# The generated headers, as upstream's CMake would write them for GCC or clang and a static build.
function(cmark_gfm_generate_headers directory)
  set(PROJECT_VERSION_MAJOR 0)
  set(PROJECT_VERSION_MINOR 29)
  set(PROJECT_VERSION_PATCH 0)
  set(PROJECT_VERSION_GFM 13)
  configure_file("${cmark_gfm_source}/src/cmark-gfm_version.h.in"
                 "${directory}/cmark-gfm_version.h" @ONLY)
  set(HAVE_STDBOOL_H ON)
  set(HAVE___BUILTIN_EXPECT ON)
  set(HAVE___ATTRIBUTE__ ON)
  configure_file("${cmark_gfm_source}/src/config.h.in" "${directory}/config.h")
  file(CONFIGURE OUTPUT "${directory}/cmark-gfm_export.h" CONTENT [[
#ifndef CMARK_GFM_EXPORT_H
#define CMARK_GFM_EXPORT_H
/* A static library: nothing to export or import. */
#define CMARK_GFM_EXPORT
#define CMARK_GFM_NO_EXPORT
#define CMARK_GFM_DEPRECATED __attribute__((__deprecated__))
#define CMARK_GFM_DEPRECATED_EXPORT CMARK_GFM_DEPRECATED
#define CMARK_GFM_DEPRECATED_NO_EXPORT CMARK_GFM_DEPRECATED
#endif
]])
endfunction()

# Internal headers sit beside a copy of the public ones, so that their quoted includes resolve
# inside this tree and never reach another installed copy of the library's headers.
file(GLOB cmark_gfm_internal_headers "${cmark_gfm_source}/src/*.h")
file(COPY ${cmark_gfm_internal_headers} DESTINATION "${cmark_gfm_include}/cmark-gfm")
file(COPY "${cmark_gfm_source}/src/cmark-gfm.h" "${cmark_gfm_source}/src/cmark-gfm-extension_api.h"
          "${cmark_gfm_source}/extensions/cmark-gfm-core-extensions.h"
     DESTINATION "${cmark_gfm_include}")
cmark_gfm_generate_headers("${cmark_gfm_include}")
cmark_gfm_generate_headers("${cmark_gfm_include}/cmark-gfm")

# The parser, its renderers and the core extensions as the static library `name`. The third-party
# C keeps the project's flags (sanitizers, fuzzer coverage) but not -Werror.
function(cmark_gfm_library name)
  list(TRANSFORM ARGN PREPEND "${cmark_gfm_source}/" OUTPUT_VARIABLE sources)
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
  target_compile_options(${name} PRIVATE -Wno-error -Wno-unused-parameter)
  target_include_directories(${name} PRIVATE "${cmark_gfm_include}/cmark-gfm"
                                              "${cmark_gfm_source}/extensions")
  target_include_directories(${name} PUBLIC "${cmark_gfm_include}")
endfunction()

cmark_gfm_library(
  cmark_gfm
  src/arena.c
  src/blocks.c
  src/buffer.c
  src/cmark.c
  src/cmark_ctype.c
  src/commonmark.c
  src/footnotes.c
  src/houdini_href_e.c
  src/houdini_html_e.c
  src/houdini_html_u.c
  src/html.c
  src/inlines.c
  src/iterator.c
  src/latex.c
  src/linked_list.c
  src/man.c
  src/map.c
  src/node.c
  src/plaintext.c
  src/plugin.c
  src/references.c
  src/registry.c
  src/render.c
  src/scanners.c
  src/syntax_extension.c
  src/utf8.c
  src/xml.c
  extensions/autolink.c
  extensions/core-extensions.c
  extensions/ext_scanners.c
  extensions/strikethrough.c
  extensions/table.c
  extensions/tagfilter.c
  extensions/tasklist.c)
