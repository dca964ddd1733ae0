// What the page's tests and its benchmark share: the site served on 127.0.0.1, and Debian's
// browsers, headless.

import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';

const types = {
    '.html': 'text/html',
    '.js': 'text/javascript',
    '.css': 'text/css',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
};

// A static server of the site folder on a free port of 127.0.0.1, listening once this
// resolves; closing it takes the site off the network.
export async function serveSite(site) {
    const server = createServer(async (request, response) => {
        const name = new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html');
        try {
            const body = await readFile(path.join(site, path.normalize(name)));
            response.writeHead(200, { 'Content-Type': types[path.extname(name)] });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => {
        server.listen(0, '127.0.0.1', resolve);
    });
    return server;
}

// puppeteer's launch options for Debian's Chromium or Firefox.
export function browserOptions(name) {
    if (name === 'firefox') {
        return { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true };
    }
    return {
        executablePath: '/usr/bin/chromium',
        headless: true,
        // Without the network's background services, which a closed network refuses.
        args: [
            '--no-sandbox',
            '--disable-gpu',
            '--disable-background-networking',
            '--disable-component-update',
            '--no-first-run',
            '--disable-sync',
        ],
    };
}
