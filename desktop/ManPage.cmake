# SPDX-License-Identifier: GPL-3.0-or-later
# kursomatik_man_page(<name>): the manual page desktop/<name>.1.in with the program's version and
# release date, in build/man/<name>.1 (which the tests read), compressed as Debian's policy wants it
# (gzip -9n: no file name and no time in the header, so every build gives the same bytes) and
# installed to man1.
function(kursomatik_man_page name)
    set(page ${PROJECT_BINARY_DIR}/man/${name}.1)
    configure_file(${PROJECT_SOURCE_DIR}/desktop/${name}.1.in ${page} @ONLY)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND gzip -9nkf ${page}
        DEPENDS ${page}
        COMMENT "Compressing the manual page ${name}.1"
        VERBATIM)
    add_custom_target(man_${name} ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
