// A class whose main is not static, so the launcher finds no entry point.
package vmtest;

public class InstanceMain {
    public void main(String[] args) {
        System.out.println("instance main ran");
    }
}
