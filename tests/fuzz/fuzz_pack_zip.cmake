# The packager's readers that fuzz_pack_zip exercises.
target_sources(fuzz_pack_zip PRIVATE
  "${CMAKE_SOURCE_DIR}/tools/pack/zip_archive.cpp"
  "${CMAKE_SOURCE_DIR}/tools/pack/stub_strings.cpp")
# tools/run-fuzz.sh looks for the targets at the build folder's top.
set_target_properties(fuzz_pack_zip PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
