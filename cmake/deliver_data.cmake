# Copies every delivered data file into the program directory unless it is already there:
# files the program rewrites (conflang.sys, confcom.sys, DEFAULT.FIL, CONFIG/*.QVT) keep
# what the user last stored in this build tree. textos.sys is read-only data, so it is
# always refreshed.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
# The language sources are turned into textos.sys by scripts/make_textos.py; not delivered.
list(FILTER files EXCLUDE REGEX "^textos-src/|^\\.gitattributes$")
foreach(f IN LISTS files)
  get_filename_component(dir ${DST}/${f} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  if(NOT EXISTS ${DST}/${f} OR f STREQUAL "textos.sys")
    file(COPY ${SRC}/${f} DESTINATION ${dir})
  endif()
endforeach()
file(MAKE_DIRECTORY ${DST}/CONFIG ${DST}/Report/Txt ${DST}/Report/Doc)
