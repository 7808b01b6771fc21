# cmake -P MakePackages.cmake: stages what a user gets and packs it twice, as an MSI
# and as a portable zip. Run by the "packages" target, which passes the variables.
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
string(REPLACE "," ";" TEXTS "${TEXTS}")
set(folder Quillmere-${VERSION})
set(content ${STAGE}/${folder})

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${content} ${DIST})
file(COPY ${PROGRAMS} DESTINATION ${content})
# The texts get the extension Notepad opens with a double-click.
foreach(text IN LISTS TEXTS)
  get_filename_component(name ${text} NAME_WE)
  configure_file(${text} ${content}/${name}.txt COPYONLY)
endforeach()
configure_file(${ICON} ${STAGE}/Quillmere.ico COPYONLY)

# wixl takes the files relative to the folder it runs in. It reports an attribute it
# does not know or a file it cannot read only as a warning and goes on, so any word
# from it fails the package instead of leaving a part out.
set(msi ${DIST}/Quillmere-${VERSION}.msi)
file(REMOVE ${msi})
execute_process(
  COMMAND ${WIXL} --arch x64 -D Version=${VERSION} -D ProductCode=${PRODUCT_CODE}
          -D Publisher=${PUBLISHER}
          -D Icon=../Quillmere.ico -o ${msi} ${WXS}
  WORKING_DIRECTORY ${content}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE said
  ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
  file(REMOVE ${msi})
  message(FATAL_ERROR "wixl could not make ${msi} (${result}):\n${said}")
endif()

set(zip ${DIST}/Quillmere-${VERSION}-portable.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${folder}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not make ${zip}")
endif()
message(STATUS "Packages:\n  ${msi}\n  ${zip}")
