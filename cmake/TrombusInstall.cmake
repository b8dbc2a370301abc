# Installing Тромбус as a desktop program: the binary and the modules it loads, the menu entry, the icon in the
# hicolor theme, AppStream metadata, manual pages and the documents a Debian package carries. Then CPack, which
# makes the Debian package: `cpack -G DEB` in the build folder (scripts/check-package.sh builds and checks it).
include(GNUInstallDirs)

set(TROMBUS_APP_ID org.trombus.Trombus)
set(TROMBUS_MAINTAINER "Trombus maintainers <maintainers@users.noreply.c-seed-70c97730.example>"
    CACHE STRING "The Debian package's maintainer")
set(trombus_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(trombus_generated ${CMAKE_BINARY_DIR}/packaging)
# The modules are private to the program: Debian keeps such files in a folder of the package's own under
# the multiarch library folder (/usr/lib/x86_64-linux-gnu/trombus), which is none of the dynamic linker's, so the
# package needs no ldconfig call either.
set(trombus_libdir ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT trombus_libdir MATCHES "/${CMAKE_LIBRARY_ARCHITECTURE}$")
    set(trombus_libdir ${trombus_libdir}/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
set(trombus_module_dir ${trombus_libdir}/trombus)
# The package installs under /usr whatever prefix `cmake --install` is given.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# What the program itself needs to know of the layout: its desktop entry's name, where installations put it (so
# an autostart entry names the installed program), and where the modules sit relative to the program,
# which holds under any prefix.
set(TROMBUS_INSTALLED_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}/trombus)
set(TROMBUS_PACKAGED_PROGRAM ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/trombus)
configure_file(${CMAKE_CURRENT_LIST_DIR}/installlayout.h.in ${CMAKE_BINARY_DIR}/generated/installlayout.h @ONLY)
target_include_directories(trombus_app PRIVATE ${CMAKE_BINARY_DIR}/generated)
file(RELATIVE_PATH TROMBUS_MODULE_FROM_PROGRAM
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${trombus_module_dir})
target_compile_definitions(trombus_platform PRIVATE TROMBUS_INSTALLED_MODULE_DIR="${TROMBUS_MODULE_FROM_PROGRAM}")

# The rest is how a Linux desktop and Debian take a program in.
if(NOT UNIX OR APPLE)
    install(TARGETS trombus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    return()
endif()

# The icon's fixed sizes are drawn from the SVG at build time; the manual pages and the changelog are compressed
# without names or times, so two builds give the same files.
set(trombus_icon_sizes 16 22 24 32 48 64 128 256)
set(trombus_built_files)
find_program(TROMBUS_RSVG_CONVERT rsvg-convert)
if(TROMBUS_RSVG_CONVERT)
    foreach(size IN LISTS trombus_icon_sizes)
        set(png ${trombus_generated}/icons/${size}x${size}/${TROMBUS_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${trombus_generated}/icons/${size}x${size}
            COMMAND ${TROMBUS_RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
                    ${trombus_packaging}/${TROMBUS_APP_ID}.svg
            DEPENDS ${trombus_packaging}/${TROMBUS_APP_ID}.svg
            COMMENT "Drawing the ${size} px icon" VERBATIM)
        list(APPEND trombus_built_files ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(WARNING "rsvg-convert (librsvg2-bin) is missing: only the scalable icon gets installed")
endif()

foreach(page trombus.1 ru/trombus.1)
    configure_file(${trombus_packaging}/${page}.in ${trombus_generated}/man/${page} @ONLY)
    add_custom_command(OUTPUT ${trombus_generated}/man/${page}.gz
        COMMAND gzip -9nkf ${trombus_generated}/man/${page}
        DEPENDS ${trombus_generated}/man/${page} VERBATIM)
    list(APPEND trombus_built_files ${trombus_generated}/man/${page}.gz)
endforeach()
add_custom_command(OUTPUT ${trombus_generated}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${trombus_packaging}/changelog ${trombus_generated}/changelog
    COMMAND gzip -9nf ${trombus_generated}/changelog
    DEPENDS ${trombus_packaging}/changelog VERBATIM)
list(APPEND trombus_built_files ${trombus_generated}/changelog.gz)
add_custom_target(trombus_install_files ALL DEPENDS ${trombus_built_files})

install(TARGETS trombus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The modules loaded at first use: the player's backend, tones and sound files, the volume, GNOME's mouse
# settings, the web engine.
set(trombus_modules trombus_mediabackend trombus_sound trombus_pulse trombus_gnomemouse)
if(TARGET trombus_webengine)
    list(APPEND trombus_modules trombus_webengine)
endif()
install(TARGETS ${trombus_modules} LIBRARY DESTINATION ${trombus_module_dir})
# A module may call nothing of the C library itself, so the linker's --as-needed would drop it; Debian wants
# every shared object to name the C library it runs on.
foreach(module IN LISTS trombus_modules)
    target_link_options(${module} PRIVATE "LINKER:--push-state,--no-as-needed,-lc,--pop-state")
endforeach()
install(FILES ${trombus_packaging}/${TROMBUS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${trombus_packaging}/${TROMBUS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${trombus_packaging}/${TROMBUS_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${trombus_generated}/man/trombus.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${trombus_generated}/man/ru/trombus.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES ${trombus_packaging}/copyright ${trombus_generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trombus)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trombus)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Trombus developers")
set(CPACK_PACKAGE_CONTACT ${TROMBUS_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop utility with everyday tools and jokes in one window")
set(CPACK_PACKAGE_DESCRIPTION
    "Trombus (Тромбус) gathers many small everyday tools and a good number of
jokes behind one tabbed main window: a hidden command console, a run box and
a program launcher, system tweaks, a clipboard viewer, key codes, a disk
meter, a help dictionary, a calculator, a stopwatch, a notepad, a media
player, a web page viewer, a countdown timer and alarm clock, notes and usage
statistics. Its captions are Russian and jocular on purpose.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TROMBUS_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program and its modules link come from dpkg-shlibdeps; what they load at run time is named here:
# the web engine's helper process; and, recommended, the sound plugins, the icon theme the icons go into, Qt's
# Russian translations and the desktop opener the program uses when present.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET trombus_webengine)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, hicolor-icon-theme, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gstreamer1.0-libav")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-")
include(CPack)
