// Reports what the launcher handed over: the arguments, the VM's input options, the class path
// and the two application properties.
package vmtest;

import java.lang.management.ManagementFactory;

public class Probe {
    public static void main(String[] args) {
        System.out.println("argc=" + (args == null ? "null" : String.valueOf(args.length)));
        for (int i = 0; i < args.length; i++) {
            StringBuilder units = new StringBuilder();
            for (char c : args[i].toCharArray())
                units.append(String.format(" %04X", (int) c));
            System.out.println("arg[" + i + "]=" + args[i] + " units" + units);
        }
        for (String option : ManagementFactory.getRuntimeMXBean().getInputArguments())
            System.out.println("input=" + option);
        System.out.println("class.path=" + System.getProperty("java.class.path"));
        System.out.println("app.path=" + System.getProperty("wyr.app.path"));
        System.out.println("app.home=" + System.getProperty("application.home"));
    }
}
