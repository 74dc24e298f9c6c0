wyr_integration_test(service_bridge service_bridge.sh LABELS linux)
