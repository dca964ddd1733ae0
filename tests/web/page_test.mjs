// The page in a real browser, Debian's Chromium or Firefox, headless, served from
// 127.0.0.1: its layout, keys and focus, "new", links with codes, the browser's back and
// forward, copying, saving, dragging and dropping, a bad link, and a reload with the server
// gone. No console may show an error.
//
//     node page_test.mjs SITE_FOLDER chromium|firefox PINNED_CANVAS_FILE

import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import puppeteer from 'puppeteer-core';
import { browserOptions, serveSite } from './page_fixture.mjs';

const [site, browserName, pinnedFile] = process.argv.slice(2);
// The code, and the SHA-256 of the red, green and blue bytes of the canvas it gives, row by
// row, as the engine's suites compute them.
const [pinnedCode, pinnedDigest] = (await readFile(pinnedFile, 'utf8')).trim().split(/\s+/);

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;

const browser = await puppeteer.launch(browserOptions(browserName));
const page = await browser.newPage();
const errors = [];
page.on('console', (message) => {
    if (message.type() === 'error') {
        errors.push(message.text());
    }
});
page.on('pageerror', (error) => errors.push(error.message));

// Headless Firefox has no clipboard for a page: there what the page copies is kept.
// Chromium's clipboard is the real one.
if (browserName === 'firefox') {
    await page.evaluateOnNewDocument(() => {
        const kept = new Map();
        navigator.clipboard.write = async ([item]) => {
            for (const type of item.types) {
                kept.set(type, await item.getType(type));
            }
        };
        navigator.clipboard.read = async () => [
            { types: [...kept.keys()], getType: async (type) => kept.get(type) },
        ];
    });
} else {
    await browser
        .defaultBrowserContext()
        .overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
}

async function open(address) {
    await page.goto(address);
    await page.waitForSelector('html[data-ready]');
}

const code = () => new URL(page.url()).hash.slice(1);

// The SHA-256 of the canvas's red, green and blue bytes, row by row.
const canvasDigest = () =>
    page.evaluate(async () => {
        const canvas = document.getElementById('picture1');
        const rgba = canvas.getContext('2d').getImageData(0, 0, 500, 500).data;
        const rgb = rgba.filter((_, i) => i % 4 !== 3);
        const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', rgb));
        return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
    });

async function waitForCode(other) {
    await page.waitForFunction((shown) => location.hash.slice(1) !== shown, {}, other);
    return code();
}

const checks = [];
function check(name, run) {
    checks.push([name, run]);
}

check('a link with a code shows the pattern the desktop program draws', async () => {
    await open(`${origin}/#${pinnedCode.toLowerCase()}`);
    assert.equal(code(), pinnedCode);
    assert.equal(await canvasDigest(), pinnedDigest);
    assert.equal(await page.$eval('#problem', (line) => line.textContent), '');
});

check('Form1 is laid out as on the desktop, and says what it is', async () => {
    assert.equal(await page.title(), 'Form1');
    const box = (id) =>
        page.$eval(id, (element) => {
            const { left, top, width, height } = element.getBoundingClientRect();
            return [left, top, width, height];
        });
    assert.deepEqual(await box('#picture1'), [56, 64, 500, 500]);
    assert.deepEqual(await box('#command1'), [576, 544, 57, 17]);
    const said = await page.evaluate(() => {
        const picture1 = document.getElementById('picture1');
        const command1 = document.getElementById('command1');
        return [
            picture1.getAttribute('role'),
            picture1.getAttribute('aria-label'),
            command1.getAttribute('aria-label'),
            command1.textContent,
        ];
    });
    assert.deepEqual(said, ['img', 'Pattern', 'New pattern', 'new']);
});

check('focus starts on the canvas; Tab reaches "new", which Space and Enter press', async () => {
    const focused = () => page.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), 'picture1');
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'command1');
    const first = code();
    await page.keyboard.press(' ');
    const second = await waitForCode(first);
    await page.keyboard.press('Enter');
    await waitForCode(second);
});

check('"new" draws another pattern, and back and forward step through them', async () => {
    await open(`${origin}/#${pinnedCode}`);
    await page.click('#command1');
    const next = await waitForCode(pinnedCode);
    const nextDigest = await canvasDigest();
    assert.notEqual(nextDigest, pinnedDigest);
    await page.goBack();
    assert.equal(await waitForCode(next), pinnedCode);
    assert.equal(await canvasDigest(), pinnedDigest);
    await page.goForward();
    assert.equal(await waitForCode(pinnedCode), next);
    assert.equal(await canvasDigest(), nextDigest);
    await page.focus('#picture1');
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.equal(await waitForCode(next), pinnedCode);
});

check('Ctrl+C copies the pattern, and a paste of it draws it again', async () => {
    await page.keyboard.down('Control');
    await page.keyboard.press('c');
    await page.keyboard.up('Control');
    await page.waitForFunction(async () =>
        (await navigator.clipboard.read()).some((item) => item.types.includes('image/png')),
    );
    const copied = await page.evaluate(async () => {
        const held = {};
        for (const item of await navigator.clipboard.read()) {
            for (const type of item.types) {
                held[type] = await item.getType(type);
            }
        }
        const image = await createImageBitmap(held['image/png']);
        return [await held['text/plain'].text(), image.width, image.height];
    });
    assert.deepEqual(copied, [pinnedCode, 500, 500]);
    await page.click('#command1');
    await waitForCode(pinnedCode);
    await page.click('#picture1', { button: 'right' });
    await page.click('#menu [data-action="paste"]');
    await page.waitForFunction(
        (shown) => location.hash.slice(1) === shown || document.getElementById('problem').textContent,
        {},
        pinnedCode,
    );
    assert.equal(await page.$eval('#problem', (line) => line.textContent), '');
    assert.equal(code(), pinnedCode);
    assert.equal(await canvasDigest(), pinnedDigest);
});

check('a saved PNG keeps the code', async () => {
    const saved = await page.evaluate(async () => {
        const { imageText } = await import('./png_text.js');
        // The download itself is left out: what it would save is kept instead.
        let link = null;
        let saved = null;
        const { click } = HTMLAnchorElement.prototype;
        const { createObjectURL } = URL;
        HTMLAnchorElement.prototype.click = function keep() {
            link = this;
        };
        URL.createObjectURL = (blob) => {
            saved = blob;
            return createObjectURL(blob);
        };
        document.dispatchEvent(new KeyboardEvent('keydown', { key: 's', ctrlKey: true }));
        while (link === null) {
            await new Promise((resolve) => setTimeout(resolve, 10));
        }
        HTMLAnchorElement.prototype.click = click;
        URL.createObjectURL = createObjectURL;
        return [link.download, imageText(new Uint8Array(await saved.arrayBuffer()), 'Pattern')];
    });
    assert.deepEqual(saved, [`pattern-${pinnedCode}.png`, pinnedCode]);
});

check('a drag carries the PNG with its code, and a drop of it draws it again', async () => {
    const dragged = await page.evaluate(async () => {
        const { imageText } = await import('./png_text.js');
        const canvas = document.getElementById('picture1');
        // The PNG is made while the page is idle after the pattern is shown.
        let file;
        do {
            await new Promise((resolve) => setTimeout(resolve, 20));
            const drag = new DataTransfer();
            canvas.dispatchEvent(new DragEvent('dragstart', { dataTransfer: drag, cancelable: true }));
            [file] = drag.files;
        } while (!file);
        canvas.dispatchEvent(new DragEvent('dragend'));
        const kept = imageText(new Uint8Array(await file.arrayBuffer()), 'Pattern');
        document.getElementById('command1').click();
        const drop = new DataTransfer();
        drop.items.add(file);
        canvas.dispatchEvent(new DragEvent('drop', { dataTransfer: drop, cancelable: true }));
        return [file.name, kept];
    });
    assert.deepEqual(dragged, [`pattern-${pinnedCode}.png`, pinnedCode]);
    await page.waitForFunction((shown) => location.hash === `#${shown}`, {}, pinnedCode);
    assert.equal(await canvasDigest(), pinnedDigest);
});

check('a link that names no pattern draws a fresh one and says why', async () => {
    await open(`${origin}/#NOT-A-CODE`);
    assert.match(code(), /^[0-9A-Z]{16}$/);
    assert.match(await page.$eval('#problem', (line) => line.textContent), /link/);
});

check('after one visit the page works with the server gone', async () => {
    await page.evaluate(() => navigator.serviceWorker.ready);
    await open(`${origin}/#${pinnedCode}`);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await new Promise((resolve) => server.close(resolve));
    server.closeAllConnections();
    await open(`${origin}/#${pinnedCode}`);
    assert.equal(await canvasDigest(), pinnedDigest);
});

if (browserName !== 'firefox') {
    check('Chromium finds the page installable', async () => {
        const session = await page.createCDPSession();
        const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
        assert.deepEqual(installabilityErrors, []);
    });
}

let failures = 0;
for (const [name, run] of checks) {
    try {
        await run();
        console.log(`ok: ${name}`);
    } catch (error) {
        ++failures;
        console.log(`FAILED: ${name}\n${error.stack}`);
    }
}
if (errors.length > 0) {
    ++failures;
    console.log(`FAILED: the console showed errors:\n${errors.join('\n')}`);
}
await browser.close();
server.close();
process.exit(failures === 0 ? 0 : 1);
