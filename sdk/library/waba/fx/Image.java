package waba.fx;

import java.awt.Graphics2D;
import java.awt.image.BufferedImage;
import java.io.File;
import java.io.IOException;
import java.io.InputStream;

/**
 * An off-screen picture. It is either made empty with a size, or loaded from a Windows bitmap (.bmp) found
 * on the class path (so a project folder on the class path supplies its pictures) or as a file. A picture
 * that cannot be loaded has width and height 0, and drawing it draws nothing.
 */
public class Image {
    private BufferedImage pixels;

    /** A white picture of the given size. */
    public Image(int width, int height) {
        pixels = new BufferedImage(Math.max(width, 1), Math.max(height, 1), BufferedImage.TYPE_INT_RGB);
        Graphics2D g = pixels.createGraphics();
        g.setColor(java.awt.Color.WHITE);
        g.fillRect(0, 0, pixels.getWidth(), pixels.getHeight());
        g.dispose();
    }

    /** Loads the bitmap at path: first from the class path, then from the file system. */
    public Image(String path) { pixels = load(path); }

    /** Loads a bitmap from its bytes. */
    public Image(byte[] bitmap) {
        try {
            pixels =
                bitmap == null ? null : javax.imageio.ImageIO.read(new java.io.ByteArrayInputStream(bitmap));
        } catch (IOException e) {
            pixels = null;
        }
    }

    public int getWidth() { return pixels == null ? 0 : pixels.getWidth(); }

    public int getHeight() { return pixels == null ? 0 : pixels.getHeight(); }

    /** The colour of one pixel as 0xRRGGBB; -1 outside the picture. */
    public int getPixel(int x, int y) {
        if (pixels == null || x < 0 || y < 0 || x >= pixels.getWidth() || y >= pixels.getHeight())
            return -1;
        return pixels.getRGB(x, y) & 0xFFFFFF;
    }

    /** A Graphics that draws into this picture. */
    public Graphics getGraphics() { return new Graphics(this); }

    /** The desktop picture behind this one; for the desktop viewer, which shows the screen image. */
    public BufferedImage _awtImage() { return pixels; }

    private static BufferedImage load(String path) {
        if (path == null || path.length() == 0)
            return null;
        String resource = path.replace('\\', '/');
        while (resource.startsWith("/"))
            resource = resource.substring(1);
        try {
            InputStream in = resourceStream(resource);
            if (in != null) {
                try {
                    return javax.imageio.ImageIO.read(in);
                } finally {
                    in.close();
                }
            }
            File file = new File(path);
            return file.isFile() ? javax.imageio.ImageIO.read(file) : null;
        } catch (IOException e) {
            return null;
        }
    }

    private static InputStream resourceStream(String resource) {
        ClassLoader loader = Thread.currentThread().getContextClassLoader();
        if (loader == null)
            loader = ClassLoader.getSystemClassLoader();
        return loader.getResourceAsStream(resource);
    }
}
