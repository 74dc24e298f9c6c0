// The demo's answers to the service manager: pausing is allowed, a stop ends the wait in main.
package hello;

import com.plovatek.wyr.ServiceStatusHandler;

final class HelloServiceHandler implements ServiceStatusHandler {
    private boolean stopped;

    public boolean canPause() {
        return true;
    }

    public boolean onPause() {
        System.out.println("hello: paused");
        return true;
    }

    public boolean onContinue() {
        System.out.println("hello: running again");
        return true;
    }

    public synchronized boolean onStop() {
        System.out.println("hello: stopping");
        stopped = true;
        notifyAll();
        return true;
    }

    synchronized void waitForStop() throws InterruptedException {
        while (!stopped) {
            wait();
        }
    }
}
