# Fuzz targets and the portable libraries each links.
set(MX_FUZZ_TARGETS)
# fuzz-targets-begin
list(APPEND MX_FUZZ_TARGETS FuzzCsvFields)
set(MX_FUZZ_LIBS_FuzzCsvFields mx_containers)
list(APPEND MX_FUZZ_TARGETS FuzzSettingsLoad)
set(MX_FUZZ_LIBS_FuzzSettingsLoad mx_settings mx_containers)
list(APPEND MX_FUZZ_TARGETS FuzzCommandLine)
set(MX_FUZZ_LIBS_FuzzCommandLine mx_startup mx_settings mx_containers)
# fuzz-targets-end
