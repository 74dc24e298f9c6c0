wyr_integration_test(service_bridge service_bridge.sh LABELS linux)
wyr_integration_test(service_linux service_linux.sh LABELS linux)
wyr_integration_test(service_systemd service_systemd.sh LABELS linux)
