# Copies the shipped files (resources/) beside the executable, if there are any.
if(EXISTS "${SRC}")
  file(COPY "${SRC}/" DESTINATION "${DST}")
endif()
