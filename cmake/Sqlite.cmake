# SQLite, compiled into the programs and the native suite as a static library, from the
# amalgamation scripts/fetch-sqlite unpacks into the build tree (checked against its
# SHA-256, never committed). A build on Windows itself may take an installed SQLite
# instead.
set(QUILLMERE_SQLITE_SOURCE ${CMAKE_SOURCE_DIR}/build/sqlite CACHE PATH
    "Folder holding the SQLite amalgamation (sqlite3.c, sqlite3.h)")

if(NOT EXISTS ${QUILLMERE_SQLITE_SOURCE}/sqlite3.c AND CMAKE_HOST_UNIX)
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-sqlite ${QUILLMERE_SQLITE_SOURCE}
                  RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0)
    message(FATAL_ERROR "SQLite could not be fetched into ${QUILLMERE_SQLITE_SOURCE}")
  endif()
endif()

if(EXISTS ${QUILLMERE_SQLITE_SOURCE}/sqlite3.c)
  add_library(qm_sqlite STATIC ${QUILLMERE_SQLITE_SOURCE}/sqlite3.c)
  target_include_directories(qm_sqlite SYSTEM PUBLIC ${QUILLMERE_SQLITE_SOURCE})
  # As SQLite advises for a library embedded in a program: no extensions loaded from
  # files, no deprecated or shared-cache interfaces, double-quoted strings no
  # identifiers. WAL stays as the default build has it: Firefox's stores use it.
  target_compile_definitions(qm_sqlite PUBLIC
    SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0
    SQLITE_OMIT_DEPRECATED SQLITE_OMIT_SHARED_CACHE SQLITE_OMIT_PROGRESS_CALLBACK
    SQLITE_LIKE_DOESNT_MATCH_BLOBS SQLITE_DEFAULT_WAL_SYNCHRONOUS=1 SQLITE_STRICT_SUBTYPE=1
    SQLITE_USE_ALLOCA)
  # Their code, their warnings: our -Werror is for Quillmere's own sources. It is
  # optimised even in a debug build, where it would otherwise dominate the tests' time.
  if(MSVC)
    target_compile_options(qm_sqlite PRIVATE /W0 /O2)
  else()
    target_compile_options(qm_sqlite PRIVATE -w -O2)
  endif()
  if(NOT WIN32)
    find_package(Threads REQUIRED)
    target_link_libraries(qm_sqlite PUBLIC Threads::Threads ${CMAKE_DL_LIBS} m)
  endif()
elseif(WIN32 AND NOT CMAKE_CROSSCOMPILING)
  find_package(SQLite3 REQUIRED)
  add_library(qm_sqlite INTERFACE)
  target_link_libraries(qm_sqlite INTERFACE SQLite::SQLite3)
else()
  message(FATAL_ERROR "No SQLite in ${QUILLMERE_SQLITE_SOURCE}: run scripts/fetch-sqlite there")
endif()
