wyr_integration_test(dispatch_linux foundation_dispatch.sh LABELS linux ARGS linux)
wyr_integration_test(dispatch_wine foundation_dispatch.sh LABELS wine ARGS wine)
wyr_integration_test(pe_layout foundation_pe.sh LABELS pe)
