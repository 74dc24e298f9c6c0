# Launching Java: real runtimes on Linux, the scripted runtime double under wine64.
foreach(runtime java-17-openjdk-amd64 temurin-25-jdk-amd64)
  if(EXISTS "/usr/lib/jvm/${runtime}/lib/server/libjvm.so")
    wyr_integration_test(vm_launch_${runtime} vm_linux.sh LABELS linux ARGS "/usr/lib/jvm/${runtime}")
  endif()
endforeach()
wyr_integration_test(vm_launch_wine vm_wine.sh LABELS wine)
