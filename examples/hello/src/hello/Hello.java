// The demo application: shows what the launcher hands over and, as a service, follows its controls.
package hello;

import com.plovatek.wyr.ServiceStatusManager;

public final class Hello {
    private Hello() {
    }

    public static void main(String[] args) throws InterruptedException {
        System.out.println("Hello from wyr with " + args.length + " argument(s)");
        for (int index = 0; index < args.length; index++) {
            System.out.println("  argument " + (index + 1) + ": " + args[index]);
        }
        System.out.println("wyr.app.path=" + System.getProperty("wyr.app.path"));
        System.out.println("application.home=" + System.getProperty("application.home"));
        if (!ServiceStatusManager.isRunAsService) {
            return;
        }
        // As a service the program lives until the stop control ends the process.
        HelloServiceHandler handler = new HelloServiceHandler();
        ServiceStatusManager.setServiceStatusHandler(handler);
        handler.waitForStop();
    }
}
