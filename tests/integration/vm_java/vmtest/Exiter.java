// A main that ends the process through System.exit with the status its argument names.
package vmtest;

public class Exiter {
    public static void main(String[] args) {
        System.out.println("exiting with " + args[0]);
        System.exit(Integer.parseInt(args[0]));
    }
}
