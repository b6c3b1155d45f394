# Runs at install time, not at configure time: `cmake --install --prefix` and CPack choose
# the prefix only then, and every menu must name the window as installed there.
# Expects ZURIZEDE_MENU_SOURCE (this folder), ZURIZEDE_MENU_BINDIR and ZURIZEDE_MENU_DATADIR
# (relative to the prefix, or absolute).

foreach(kind BINDIR DATADIR)
  set(dir "${ZURIZEDE_MENU_${kind}}")
  if(NOT IS_ABSOLUTE "${dir}")
    set(dir "${CMAKE_INSTALL_PREFIX}/${dir}")
  endif()
  set(zurizede_${kind} "${dir}")
endforeach()
set(bin "${zurizede_BINDIR}/zurizede")

# For the shell: single quotes, each ' written as '\''.
string(REPLACE "'" "'\\''" ZURIZEDE_BIN "${bin}")
set(ZURIZEDE_BIN "'${ZURIZEDE_BIN}'")

# For an Exec key: quoted only when it must be, with ", `, $ and \ escaped, and then every
# \ doubled once more for the key file's own escaping.
set(ZURIZEDE_EXEC "${bin}")
if(NOT bin MATCHES "^[A-Za-z0-9/._+-]+$")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" ZURIZEDE_EXEC "${bin}")
  string(REPLACE "\\" "\\\\" ZURIZEDE_EXEC "${ZURIZEDE_EXEC}")
  set(ZURIZEDE_EXEC "\"${ZURIZEDE_EXEC}\"")
endif()

function(zurizede_install_menu template folder name mode)
  file(READ "${ZURIZEDE_MENU_SOURCE}/${template}" text)
  string(CONFIGURE "${text}" text @ONLY)
  set(target "${zurizede_DATADIR}/${folder}/${name}")
  message(STATUS "Installing: $ENV{DESTDIR}${target}")
  file(WRITE "$ENV{DESTDIR}${target}" "${text}")
  file(CHMOD "$ENV{DESTDIR}${target}" FILE_PERMISSIONS ${mode})
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

set(executable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# Nautilus runs only executable scripts; KDE runs service menus outside the system's own
# folders only when they are executable.
zurizede_install_menu(nautilus-script.in nautilus/scripts "Shred with ORBA Zurizede"
  "${executable}")
zurizede_install_menu(zurizede.nemo_action.in nemo/actions zurizede.nemo_action
  "${readable}")
zurizede_install_menu(kio-servicemenu.desktop.in kio/servicemenus zurizede.desktop
  "${executable}")
zurizede_install_menu(file-manager-action.desktop.in file-manager/actions
  zurizede.desktop "${readable}")
