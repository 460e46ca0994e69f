# The version record: a section of its own in an executable, holding its file version (the
# project's version) and its product version, for VersionInfo to read back from the file.
# tb_version_record(<executable>) links it into that executable; libraries never carry it, so
# a program has exactly one.
set(TB_VERSION_SECTION .tb_version)
set(TB_PRODUCT_VERSION 1.0.0.0)
configure_file(${CMAKE_CURRENT_LIST_DIR}/VersionRecord.cpp.in
               ${PROJECT_BINARY_DIR}/generated/VersionRecord.cpp @ONLY)

function(tb_version_record target)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated/VersionRecord.cpp)
endfunction()
