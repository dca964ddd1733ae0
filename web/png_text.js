// The text chunks of a PNG. Browsers decode and encode PNGs but offer no way to the texts
// they keep, which carry a pattern's code; this reads and writes those alone.

// CRC-32 as PNG checks its chunks with (ISO 3309, reflected, polynomial 0xEDB88320).
const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) {
        c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    }
    return c >>> 0;
});

function crc32(bytes) {
    let c = 0xffffffff;
    for (const byte of bytes) {
        c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
    }
    return (c ^ 0xffffffff) >>> 0;
}

const signature = [137, 80, 78, 71, 13, 10, 26, 10];

function isPng(bytes) {
    return bytes.length >= signature.length && signature.every((byte, i) => bytes[i] === byte);
}

// The chunks of a PNG as [type, data] pairs, through IEND; null where a chunk is cut short
// or fails its check.
function chunksOf(png) {
    const view = new DataView(png.buffer, png.byteOffset, png.byteLength);
    const chunks = [];
    for (let at = signature.length; at + 12 <= png.length; ) {
        const length = view.getUint32(at);
        const end = at + 12 + length;
        if (end > png.length) {
            return null;
        }
        const typed = png.subarray(at + 4, end - 4);
        if (crc32(typed) !== view.getUint32(end - 4)) {
            return null;
        }
        const type = String.fromCharCode(...typed.subarray(0, 4));
        chunks.push([type, typed.subarray(4)]);
        if (type === 'IEND') {
            return chunks;
        }
        at = end;
    }
    return null;
}

// What an image the browser could decode keeps under key: its text, or '' where it keeps
// none (as every image but a PNG); null where a PNG is cut short or damaged.
export function imageText(bytes, key) {
    if (!isPng(bytes)) {
        return '';
    }
    const chunks = chunksOf(bytes);
    if (chunks === null) {
        return null;
    }
    for (const [type, data] of chunks) {
        const keyEnd = data.indexOf(0);
        if (type === 'tEXt' && keyEnd >= 0 && latin1(data.subarray(0, keyEnd)) === key) {
            return latin1(data.subarray(keyEnd + 1));
        }
    }
    return '';
}

function latin1(bytes) {
    return Array.from(bytes, (byte) => String.fromCharCode(byte)).join('');
}

// The PNG with a tEXt chunk for each [key, value] inserted after its header, where readers
// that stop early still find them. Keys and values are Latin-1.
export function withTexts(png, texts) {
    const headerEnd = signature.length + 25; // IHDR always comes first, 13 bytes long
    const parts = [png.subarray(0, headerEnd)];
    for (const [key, value] of texts) {
        const text = `${key}\0${value}`;
        const chunk = new Uint8Array(12 + text.length);
        const view = new DataView(chunk.buffer);
        view.setUint32(0, text.length);
        const typed = chunk.subarray(4, chunk.length - 4);
        typed.set([...'tEXt', ...text].map((sign) => sign.charCodeAt(0) & 0xff));
        view.setUint32(chunk.length - 4, crc32(typed));
        parts.push(chunk);
    }
    parts.push(png.subarray(headerEnd));
    const joined = new Uint8Array(parts.reduce((total, part) => total + part.length, 0));
    let at = 0;
    for (const part of parts) {
        joined.set(part, at);
        at += part.length;
    }
    return joined;
}
