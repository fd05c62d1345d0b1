# What a Debian system expects beside the programs: compressed manual pages in
# English and German, the changelog and the machine-readable copyright, the
# AppStream metadata and the bash completion; and the CPack settings that turn
# the whole installation into velkart_<version>_<arch>.deb (`make deb`).

set(velkart_man_dir ${PROJECT_BINARY_DIR}/man)
set(velkart_compressed)
foreach(language IN ITEMS "" de)
  set(source_dir ${PROJECT_SOURCE_DIR}/data/man/${language})
  if(language)
    set(man_section share/man/${language}/man1)
  else()
    set(man_section share/man/man1)
  endif()
  set(output_dir ${velkart_man_dir}/${man_section})
  file(MAKE_DIRECTORY ${output_dir})
  foreach(page IN ITEMS velkart velkart-batch)
    add_custom_command(
      OUTPUT ${output_dir}/${page}.1.gz
      COMMAND sh -c "gzip -9nc '${source_dir}/${page}.1' > '${output_dir}/${page}.1.gz'"
      DEPENDS ${source_dir}/${page}.1
      VERBATIM)
    list(APPEND velkart_compressed ${output_dir}/${page}.1.gz)
  endforeach()
  # The launcher is described on the program's page.
  file(CREATE_LINK velkart.1.gz ${output_dir}/velkart-starten.1.gz SYMBOLIC)
  install(FILES ${output_dir}/velkart.1.gz ${output_dir}/velkart-batch.1.gz
                ${output_dir}/velkart-starten.1.gz
          DESTINATION ${man_section})
endforeach()
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
  COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/packaging/changelog' > '${PROJECT_BINARY_DIR}/changelog.gz'"
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(compressed_documents ALL DEPENDS ${velkart_compressed} ${PROJECT_BINARY_DIR}/changelog.gz)

install(FILES ${PROJECT_BINARY_DIR}/changelog.gz packaging/copyright DESTINATION share/doc/velkart)
install(FILES data/de.velkart.velkart.metainfo.xml DESTINATION share/metainfo)
install(FILES data/completion/velkart-batch DESTINATION share/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velkart)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Velkart developers <velkart@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ebook2cw makes the sound, xdg-open shows the help, and the captions are laid
# out for Liberation Sans; xmessage lets the launcher speak without a terminal.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ebook2cw, xdg-utils, fonts-liberation2, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "x11-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Morse code practice texts, mp3 files and answer sheets")
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
include(CPack)
