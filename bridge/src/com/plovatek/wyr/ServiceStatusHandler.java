// The decisions a Java program makes when the service manager asks it to pause, continue or stop.
package com.plovatek.wyr;

/**
 * Registered through {@link ServiceStatusManager#setServiceStatusHandler}; the launcher calls
 * these methods when the service manager sends the matching control.
 */
public interface ServiceStatusHandler {
    /** Asked once, at registration: whether the service accepts pause and continue. */
    boolean canPause();

    /** A pause request; true reports the service paused. */
    boolean onPause();

    /** A continue request; true reports the service running again. */
    boolean onContinue();

    /** A stop request; the result is ignored and the process exits with status 0 right after. */
    boolean onStop();
}
