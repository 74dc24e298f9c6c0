wyr_integration_test(discovery_linux discovery_search.sh LABELS linux ARGS linux)
wyr_integration_test(discovery_wine discovery_search.sh LABELS wine ARGS wine)
# The registry keys it writes live in the prefix that every wine test shares.
if(TEST discovery_wine)
  set_tests_properties(discovery_wine PROPERTIES RUN_SERIAL TRUE)
endif()
