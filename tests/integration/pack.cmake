# The packager: round trip on Linux, error handling, PE service texts, the Windows build under wine.
wyr_integration_test(pack_roundtrip pack_roundtrip.sh LABELS linux)
wyr_integration_test(pack_errors pack_errors.sh LABELS linux)
wyr_integration_test(pack_pe pack_pe.sh LABELS pe)
wyr_integration_test(pack_wine pack_wine.sh LABELS wine)
