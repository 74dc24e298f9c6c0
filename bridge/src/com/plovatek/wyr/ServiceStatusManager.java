// The Java program's way into the service it runs as: its state reports and its control handler.
package com.plovatek.wyr;

/**
 * The launcher sets {@link #isRunAsService} before the main class is resolved when it runs
 * the program as a service; otherwise every method here does nothing.
 */
public class ServiceStatusManager {
    public static final int STATUS_RUNNING = 4;
    public static final int STATUS_PAUSED = 7;

    public static boolean isRunAsService;

    public ServiceStatusManager() {
    }

    /** Reports the program's own state, STATUS_RUNNING or STATUS_PAUSED. */
    public static void setServiceStatus(int status) {
        if (isRunAsService) {
            nativeSetServiceStatus(status);
        }
    }

    /** Registers the handler of pause, continue and stop requests; null withdraws it. */
    public static void setServiceStatusHandler(ServiceStatusHandler handler) {
        if (isRunAsService) {
            nativeSetServiceStatusHandler(handler);
        }
    }

    private static native void nativeSetServiceStatus(int status);

    private static native void nativeSetServiceStatusHandler(ServiceStatusHandler handler);

    static {
        isRunAsService = false;
        String path = System.getProperty("wyr.app.path");
        if (path != null) {
            try {
                System.load(path);
            } catch (UnsatisfiedLinkError notLoadable) {
                // Where the executable cannot be loaded as a library the launcher binds the
                // natives itself; elsewhere the class stays usable with them unbound.
            }
        }
    }
}
