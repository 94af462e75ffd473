# Lays out the data folder beside the binaries: the shipped data files and
# the system's en_US Hunspell dictionary. Files the program itself writes
# (the user word file, the settings, the dictionary registry) are copied only
# when they are not there yet, so a build never overwrites a user's data.
#
#   cmake -DSOURCE=<repo>/data -DDEST=<build>/data -DHUNSPELL=/usr/share/hunspell -P LayoutData.cmake

cmake_minimum_required(VERSION 3.25)

set(keep_existing user.dic config.dat dictionaries.dat)

file(MAKE_DIRECTORY "${DEST}")

file(GLOB shipped LIST_DIRECTORIES false "${SOURCE}/*")
foreach(source IN LISTS shipped)
  get_filename_component(name "${source}" NAME)
  if(name IN_LIST keep_existing AND EXISTS "${DEST}/${name}")
    continue()
  endif()
  file(COPY_FILE "${source}" "${DEST}/${name}" ONLY_IF_DIFFERENT)
endforeach()

foreach(name en_US.aff en_US.dic)
  if(EXISTS "${HUNSPELL}/${name}")
    file(COPY_FILE "${HUNSPELL}/${name}" "${DEST}/${name}" ONLY_IF_DIFFERENT)
  else()
    message(WARNING "${HUNSPELL}/${name} is missing: install hunspell-en-us")
  endif()
endforeach()
