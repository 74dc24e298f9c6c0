// A main that returns while a non-daemon thread of its own still has work to finish.
package vmtest;

public class Worker {
    public static void main(String[] args) {
        Thread worker = new Thread(() -> {
            try {
                Thread.sleep(1500);
            } catch (InterruptedException e) {
                return;
            }
            System.out.println("worker done");
        });
        worker.setDaemon(false);
        worker.start();
        System.out.println("main returned");
    }
}
