// The page's costs in Debian's Chromium and Firefox, run by hand: a press of "new" (the pass
// and putting its pixels on the canvas, the tables built), the first pattern's time from
// navigation to pixels on the canvas in a fresh profile with the site served on 127.0.0.1,
// and the site's size compressed. The web build's test tools must be installed (its ctest
// does that).
//
//     node bench/page_timings.mjs build/web [presses] [loads]

import { execFileSync } from 'node:child_process';
import { readdirSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { browserOptions, serveSite } from '../tests/web/page_fixture.mjs';

const [build, presses = '200', loads = '10'] = process.argv.slice(2);
const require = createRequire(path.resolve(build, 'tests/web/page_fixture.mjs'));
const puppeteer = require('puppeteer-core');
const site = path.resolve(build, 'web/site');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const fastest = (values) => Math.min(...values);
const ms = (value) => value.toFixed(2);

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}/`;

for (const name of ['chromium', 'firefox']) {
    const browser = await puppeteer.launch(browserOptions(name));
    const firsts = [];
    for (let load = 0; load < Number(loads); ++load) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.goto(origin);
        await page.waitForSelector('html[data-ready]');
        firsts.push(
            await page.evaluate(() => performance.getEntriesByName('first pattern')[0].startTime),
        );
        await context.close();
    }
    const page = await browser.newPage();
    await page.goto(origin);
    await page.waitForSelector('html[data-ready]');
    const [pressTimes, putTimes] = await page.evaluate(async (count) => {
        const command1 = document.getElementById('command1');
        // The tables are built first, as the page does while idle.
        for (let i = 0; i < 25; ++i) {
            command1.click();
        }
        // Timed ten at a time, since browsers coarsen their clocks to as much as a
        // millisecond.
        const times = [];
        for (let batch = 0; batch < count / 10; ++batch) {
            const start = performance.now();
            for (let i = 0; i < 10; ++i) {
                command1.click();
            }
            times.push((performance.now() - start) / 10);
            await new Promise((resolve) => setTimeout(resolve));
        }
        // What putting a pattern's pixels on the canvas costs alone.
        const context = document.getElementById('picture1').getContext('2d');
        const pixels = context.getImageData(0, 0, 500, 500);
        const puts = [];
        for (let batch = 0; batch < count / 10; ++batch) {
            const start = performance.now();
            for (let i = 0; i < 10; ++i) {
                context.putImageData(pixels, 0, 0);
            }
            puts.push((performance.now() - start) / 10);
            await new Promise((resolve) => setTimeout(resolve));
        }
        return [times, puts];
    }, Number(presses));
    console.log(
        `${name}: press ${ms(fastest(pressTimes))} fastest, ${ms(median(pressTimes))} median,` +
            ` of which putting the pixels ${ms(median(putTimes))} median;` +
            ` first pattern ${ms(fastest(firsts))} fastest, ${ms(median(firsts))} median (ms)`,
    );
    await browser.close();
}
server.close();

let gzipped = 0;
const files = readdirSync(site, { recursive: true }).filter((file) =>
    statSync(path.join(site, file)).isFile(),
);
for (const file of files) {
    gzipped += execFileSync('gzip', ['-9c', path.join(site, file)]).length;
}
const icons = files.filter((file) => file.startsWith('icons'));
let iconBytes = 0;
for (const icon of icons) {
    iconBytes += execFileSync('gzip', ['-9c', path.join(site, icon)]).length;
}
console.log(
    `site: ${files.length} files, ${gzipped} bytes gzipped, of which the icons ${iconBytes}`,
);
