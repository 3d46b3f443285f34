# Copies the compiler that scripts/install-compiler unpacked into DESTINATION
# (the program folder's "compiler"). Files that are already there with the same
# time are not copied again. The cache is found as the script finds it.
if(NOT "$ENV{TORNAVEL_COMPILER_CACHE}" STREQUAL "")
    set(cache "$ENV{TORNAVEL_COMPILER_CACHE}")
elseif(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(cache "$ENV{XDG_CACHE_HOME}/tornavel/innosetup-5.5.9")
else()
    set(cache "$ENV{HOME}/.cache/tornavel/innosetup-5.5.9")
endif()
if(NOT EXISTS "${cache}/ISCC.exe")
    message(STATUS "The compiler is not installed in ${cache}: run scripts/install-compiler")
    return()
endif()
file(COPY "${cache}/" DESTINATION "${DESTINATION}")
