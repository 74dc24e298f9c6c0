wyr_integration_test(config_sources_linux config_sources.sh LABELS linux ARGS linux)
wyr_integration_test(config_sources_wine config_sources.sh LABELS wine ARGS wine)
