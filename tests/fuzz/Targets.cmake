# Fuzz targets and the portable libraries each links.
set(MX_FUZZ_TARGETS)
# fuzz-targets-begin
# fuzz-targets-end
