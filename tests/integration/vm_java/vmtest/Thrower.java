// A main that ends with an exception.
package vmtest;

public class Thrower {
    public static void main(String[] args) {
        System.out.println("about to throw");
        throw new IllegalStateException("thrown on purpose");
    }
}
