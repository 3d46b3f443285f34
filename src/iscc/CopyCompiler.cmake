# Copies a compiler that scripts/install-compiler unpacked into DESTINATION
# (the program folder's "compiler" or "compiler-6"). Files that are already
# there with the same time are not copied again. VERSION (5.5.9, 6.2.0) and
# CACHE_VARIABLE (TORNAVEL_COMPILER_CACHE, TORNAVEL_COMPILER6_CACHE) name the
# compiler; its cache is found as the script finds it.
if(NOT "$ENV{${CACHE_VARIABLE}}" STREQUAL "")
    set(cache "$ENV{${CACHE_VARIABLE}}")
elseif(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(cache "$ENV{XDG_CACHE_HOME}/tornavel/innosetup-${VERSION}")
else()
    set(cache "$ENV{HOME}/.cache/tornavel/innosetup-${VERSION}")
endif()
if(NOT EXISTS "${cache}/ISCC.exe")
    message(STATUS "Inno Setup ${VERSION} is not installed in ${cache}: run scripts/install-compiler")
    return()
endif()
file(COPY "${cache}/" DESTINATION "${DESTINATION}")
