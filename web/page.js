// Form1 in a page: the elements' events handed to the program, and what the program asks of
// the window done with the browser's own means. The address's fragment names the pattern on
// show, so the browser's history steps through the patterns and a link shares one.

import createPatternModule from './pattern.js';
import { imageText, withTexts } from './png_text.js';

const picture1 = document.getElementById('picture1');
const command1 = document.getElementById('command1');
const problem = document.getElementById('problem');
const menu = document.getElementById('menu');
const openFile = document.getElementById('openFile');
const context = picture1.getContext('2d');
const codeKey = 'Pattern';

// Work for when the page has nothing else to do, and within a second on a machine that is
// never idle; Safari has no idle callbacks.
const whenIdle = window.requestIdleCallback
    ? (work) => requestIdleCallback(work, { timeout: 1000 })
    : (work) => setTimeout(work, 50);

// What the page last found in a PNG, for the program's question while it reads the PNG.
let pngFindings = null;
// Whether the pattern about to be shown is the one the address names already, followed
// from a link or by the browser's back and forward: its code then replaces the address's
// rather than adding a step to the history.
let followingLink = false;
let shownCode = '';

const page = {
    showWindow() {
        picture1.focus();
    },
    presentPicture(rgba) {
        context.putImageData(
            new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length), 500),
            0,
            0,
        );
        // For the browser's tools and the page's benchmark: how long the first one took.
        if (performance.getEntriesByName('first pattern').length === 0) {
            performance.mark('first pattern');
        }
    },
    showPatternCode(code) {
        shownCode = code;
        picture1.title = `Pattern ${code}`;
        picture1.setAttribute(
            'aria-description',
            `Pattern ${code}. Copy it with Ctrl+C, or drag it into another program.`,
        );
        prepareDragFileWhenIdle();
        const address = `#${code}`;
        const step = history.state?.step ?? 0;
        if (location.hash !== address) {
            if (followingLink) {
                history.replaceState({ step }, '', address);
            } else {
                history.pushState({ step: step + 1 }, '', address);
            }
        }
    },
    codeTextOfPng() {
        return pngFindings;
    },
    tellProblem(line) {
        problem.textContent = line;
    },
};

const module = await createPatternModule({ page });
performance.mark('module ready'); // for the browser's tools and the page's benchmark

// Calls an exported function with a string argument in the module's memory.
function withString(text, call) {
    const size = module.lengthBytesUTF8(text) + 1;
    const copy = module._malloc(size);
    module.stringToUTF8(text, copy, size);
    try {
        return call(copy);
    } finally {
        module._free(copy);
    }
}

// Hands the program what a paste, a drop or an opened file brings (kinds as the module
// numbers them: nothing, an image's bytes, text).
function offer(kind, bytes = new Uint8Array()) {
    const copy = module._malloc(Math.max(bytes.length, 1));
    module.HEAPU8.set(bytes, copy);
    try {
        module._pageDrawOffered(kind, copy, bytes.length);
    } finally {
        module._free(copy);
    }
}

const offered = { nothing: 0, image: 1, text: 2 };

// Text, of which no more than a code's length many times over is handed over: a text that
// long names no pattern either way, and a huge paste is not copied into the module.
function offerText(text) {
    offer(offered.text, new TextEncoder().encode(text.slice(0, 1000)));
}

// A file or clipboard image: refused unheard when far too large, else decoded by the
// browser, which must read it whole, and handed over with the code text it keeps. Browsers
// may put a copied image on the clipboard re-encoded, without its texts, so a text beside
// it stands in for an image that keeps no code.
async function offerImage(blob, name, textBeside = '') {
    if (blob.size > module._pageLargestPatternFile()) {
        withString(name, module._pageRefuseLargeFile);
        return;
    }
    const bytes = new Uint8Array(await blob.arrayBuffer());
    let decoded = true;
    try {
        (await createImageBitmap(new Blob([bytes]))).close();
    } catch {
        decoded = false;
    }
    pngFindings = decoded ? imageText(bytes, codeKey) : null;
    if (pngFindings === '' && textBeside !== '') {
        offerText(textBeside);
    } else {
        offer(offered.image, bytes);
    }
}

function fragmentCode() {
    try {
        return decodeURIComponent(location.hash.slice(1));
    } catch {
        return location.hash.slice(1);
    }
}

function followAddress() {
    problem.textContent = '';
    followingLink = true;
    try {
        const code = fragmentCode();
        if (code === '') {
            module._pageLoad();
        } else {
            withString(code, module._pageFollowLink);
        }
    } finally {
        followingLink = false;
    }
}

// The pattern on show as a PNG carrying its code, the program and the time.
async function patternPng() {
    const texts = module
        .UTF8ToString(module._pagePngTexts())
        .split('\n')
        .filter((line) => line !== '')
        .map((line) => line.split('\t'));
    const drawn = await new Promise((resolve) => {
        picture1.toBlob(resolve, 'image/png');
    });
    const png = withTexts(new Uint8Array(await drawn.arrayBuffer()), texts);
    return new Blob([png], { type: 'image/png' });
}

function failed(what) {
    return (error) => {
        problem.textContent = `Could not ${what}: ${error.message}.`;
    };
}

// A PNG of the pattern on show, for a drag, which must be given its data at once: made
// when the page is next idle, so that quick presses make none for the patterns they pass.
let dragFile = null;
function prepareDragFileWhenIdle() {
    whenIdle(() => {
        const code = shownCode;
        if (dragFile?.code === code) {
            return;
        }
        const name = module.UTF8ToString(module._pageSuggestedFileName());
        patternPng().then((png) => {
            if (shownCode === code) {
                dragFile = Object.assign(new File([png], name, { type: 'image/png' }), { code });
            }
        }, failed('prepare the pattern for dragging'));
    });
}

const actions = {
    copy() {
        // The code goes beside the image as text, which survives a browser's re-encoding.
        const item = new ClipboardItem({
            'image/png': patternPng(),
            'text/plain': new Blob([shownCode], { type: 'text/plain' }),
        });
        navigator.clipboard.write([item]).catch(failed('copy the pattern'));
    },
    copyCode() {
        navigator.clipboard.writeText(shownCode).catch(failed('copy the code'));
    },
    save() {
        const name = module.UTF8ToString(module._pageSuggestedFileName());
        patternPng().then((png) => {
            const link = document.createElement('a');
            link.href = URL.createObjectURL(png);
            link.download = name;
            link.click();
            setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
        }, failed('save the pattern'));
    },
    open() {
        openFile.value = '';
        openFile.click();
    },
    paste() {
        navigator.clipboard.read().then(async (items) => {
            let text = '';
            for (const item of items) {
                if (item.types.includes('text/plain')) {
                    text = await (await item.getType('text/plain')).text();
                }
            }
            for (const item of items) {
                const image = item.types.find((type) => type.startsWith('image/'));
                if (image) {
                    await offerImage(await item.getType(image), 'the pasted image', text);
                    return;
                }
            }
            if (text !== '') {
                offerText(text);
            } else {
                offer(offered.nothing);
            }
        }, failed('read the clipboard'));
    },
    back() {
        // Never back past the page's first pattern, out of the page.
        if ((history.state?.step ?? 0) > 0) {
            history.back();
        }
    },
    forward() {
        history.forward();
    },
};

// What a paste or a drop holds: a file or image first, then text, as the desktop takes it.
function offerData(data) {
    const file = Array.from(data.files)[0];
    const text = data.getData('text/plain');
    if (file) {
        offerImage(file, file.name, text);
        return;
    }
    if (text !== '') {
        offerText(text);
    } else {
        offer(offered.nothing);
    }
}

function closeMenu() {
    if (!menu.hidden) {
        menu.hidden = true;
        picture1.focus();
    }
}

function openMenu(x, y) {
    menu.style.left = `${x}px`;
    menu.style.top = `${y}px`;
    menu.hidden = false;
    menu.querySelector('button').focus();
}

command1.addEventListener('click', () => {
    problem.textContent = '';
    module._pagePressNew();
});

picture1.addEventListener('contextmenu', (event) => {
    event.preventDefault();
    // From the keyboard the event comes with no pointer position: the menu opens at the
    // canvas's corner.
    const fromKeyboard = event.button !== 2 || (event.clientX === 0 && event.clientY === 0);
    const corner = picture1.getBoundingClientRect();
    openMenu(
        (fromKeyboard ? corner.left + 8 : event.clientX) + scrollX,
        (fromKeyboard ? corner.top + 8 : event.clientY) + scrollY,
    );
});

menu.addEventListener('click', (event) => {
    const item = event.target.closest('button');
    if (item) {
        closeMenu();
        actions[item.dataset.action]();
    }
});

menu.addEventListener('keydown', (event) => {
    const items = Array.from(menu.querySelectorAll('button'));
    const at = items.indexOf(document.activeElement);
    const moves = { ArrowDown: 1, ArrowUp: items.length - 1 };
    if (event.key in moves) {
        items[(at + moves[event.key]) % items.length].focus();
        event.preventDefault();
    } else if (event.key === 'Escape' || event.key === 'Tab') {
        closeMenu();
        event.preventDefault();
    }
});

document.addEventListener('pointerdown', (event) => {
    if (!menu.contains(event.target)) {
        closeMenu();
    }
});

// The desktop program's shortcuts, wherever the focus is in the page; Command stands for
// Ctrl on a Mac. Ctrl+V comes as a paste event, which carries the clipboard's data.
document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey) {
        return;
    }
    const key = event.key.toLowerCase();
    const shortcuts = {
        c: 'copy',
        s: 'save',
        o: 'open',
        z: event.shiftKey ? 'forward' : 'back',
        y: 'forward',
    };
    if (key in shortcuts && !(key === 'c' && getSelection().toString() !== '')) {
        event.preventDefault();
        problem.textContent = '';
        actions[shortcuts[key]]();
    }
});

document.addEventListener('paste', (event) => {
    event.preventDefault();
    problem.textContent = '';
    offerData(event.clipboardData);
});

picture1.addEventListener('dragstart', (event) => {
    // Not yet made for the pattern on show: a drag of another would mislead.
    if (dragFile?.code !== shownCode) {
        event.preventDefault();
        return;
    }
    event.dataTransfer.effectAllowed = 'copy';
    event.dataTransfer.items.add(dragFile);
    event.dataTransfer.setData('text/plain', shownCode);
});

// Drops from other programs and pages; a drag of the canvas's own pattern back onto it
// changes nothing.
let draggingOwn = false;
picture1.addEventListener('dragstart', () => {
    draggingOwn = true;
});
picture1.addEventListener('dragend', () => {
    draggingOwn = false;
});
picture1.addEventListener('dragover', (event) => {
    if (!draggingOwn) {
        event.preventDefault();
        event.dataTransfer.dropEffect = 'copy';
    }
});
picture1.addEventListener('drop', (event) => {
    event.preventDefault();
    problem.textContent = '';
    offerData(event.dataTransfer);
});

openFile.addEventListener('change', () => {
    const file = openFile.files[0];
    if (file) {
        problem.textContent = '';
        offerImage(file, file.name);
    }
});

addEventListener('popstate', followAddress);

// The angular tables, built while the page has nothing else to do: a page has no threads
// without cross-origin isolation, which simple hosts do not give.
function warmUpWhenIdle() {
    whenIdle(() => {
        if (module._pageWarmUpStep()) {
            warmUpWhenIdle();
        }
    });
}

if (history.state === null) {
    history.replaceState({ step: 0 }, '', location.href);
}
followAddress();
requestAnimationFrame(() => setTimeout(warmUpWhenIdle));
document.documentElement.dataset.ready = '';

navigator.serviceWorker?.register('service_worker.js').catch(() => {
    // Without a service worker the page works as well, online only.
});
