# Effects and music are Ogg Vorbis files, decoded with vorbisfile.
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
target_link_libraries(tidewell_core PUBLIC PkgConfig::VORBISFILE)
