# The release's version and names, for the programs' version resources, the console's
# --version, the installer and the file names of the packages. The version itself is
# the project's; a package built only to try an upgrade may carry another one.
set(QUILLMERE_PUBLISHER "The Quillmere authors")
set(QUILLMERE_COPYRIGHT "Copyright (c) 2026 ${QUILLMERE_PUBLISHER}")

# -DQUILLMERE_VERSION_OVERRIDE=X.Y.Z holds for the one configuration it is given to
# (scripts/package --version): it is dropped at once, so that no later configuration of
# the tree keeps a trial version for a release or a test run.
set(QUILLMERE_VERSION ${PROJECT_VERSION})
if(QUILLMERE_VERSION_OVERRIDE)
  set(QUILLMERE_VERSION ${QUILLMERE_VERSION_OVERRIDE})
endif()
unset(QUILLMERE_VERSION_OVERRIDE CACHE)

# Windows Installer compares only the first three fields, the first two below 256 and
# the third below 65536; a version it cannot compare would break the upgrade.
if(NOT QUILLMERE_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "The version '${QUILLMERE_VERSION}' is not MAJOR.MINOR.PATCH")
endif()
set(QUILLMERE_VERSION_MAJOR ${CMAKE_MATCH_1})
set(QUILLMERE_VERSION_MINOR ${CMAKE_MATCH_2})
set(QUILLMERE_VERSION_PATCH ${CMAKE_MATCH_3})
if(QUILLMERE_VERSION_MAJOR GREATER 255 OR QUILLMERE_VERSION_MINOR GREATER 255
   OR QUILLMERE_VERSION_PATCH GREATER 65535)
  message(FATAL_ERROR "The version '${QUILLMERE_VERSION}' is beyond what Windows Installer compares")
endif()

set(QUILLMERE_VERSION_HEADER ${CMAKE_BINARY_DIR}/generated/QuillmereVersion.h)
configure_file(${CMAKE_CURRENT_LIST_DIR}/QuillmereVersion.h.in ${QUILLMERE_VERSION_HEADER} @ONLY)
add_library(qm_version INTERFACE)
target_include_directories(qm_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# quillmere_version_resource(SCRIPT): the resource script SCRIPT includes the version
# resource. Ninja learns nothing of what a resource script includes, so the script is
# compiled anew whenever the version or the resource changes.
function(quillmere_version_resource script)
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS
    "${QUILLMERE_VERSION_HEADER};${CMAKE_SOURCE_DIR}/app/res/VersionInfo.rc")
endfunction()
