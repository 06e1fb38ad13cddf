// What a screen reader hears: the page watches the frames the program paints and says, in a
// polite live region, the letter shown, each result (GOOD!/MISS) and the rank, in Japanese
// and English. It knows them by the program's own pictures (24-bit BMP files): a letter, a
// mark or a rank stamp is on screen when sample pixels of its picture are there.

/* exported MorvaneAnnounce */
var MorvaneAnnounce = {
  W: 320,
  shapes: [],
  last: {},

  // Picture's pixels as { width, height, at(x, y) -> [r, g, b] }, or null.
  readBmp: function (bytes) {
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    if (bytes.length < 54 || view.getUint16(0) !== 0x424d || view.getUint16(28, true) !== 24) return null;
    var offset = view.getUint32(10, true);
    var width = view.getInt32(18, true);
    var rows = view.getInt32(22, true);
    var height = Math.abs(rows);
    var stride = Math.ceil((width * 3) / 4) * 4;
    if (width <= 0 || offset + stride * height > bytes.length) return null;
    return {
      width: width,
      height: height,
      at: function (x, y) {
        var i = offset + (rows > 0 ? height - 1 - y : y) * stride + x * 3;
        return [bytes[i + 2], bytes[i + 1], bytes[i]];
      },
    };
  },

  // Up to 96 non-black pixels of the rectangle, spread over it, where they land on screen.
  // One pixel in nine is looked at: quick enough not to hold up the program's first frames.
  samples: function (picture, sx, sy, w, h, x, y) {
    var all = [];
    for (var j = 1; j < h; j += 3)
      for (var i = 1; i < w; i += 3) {
        var c = picture.at(sx + i, sy + j);
        if (c[0] + c[1] + c[2]) all.push([((y + j) * MorvaneAnnounce.W + x + i) * 4, c]);
      }
    var step = Math.max(1, Math.floor(all.length / 96));
    return all.filter(function (s, k) {
      return k % step === 0;
    });
  },

  learn: function (files) {
    var byName = {};
    files.forEach(function (file) {
      byName[file.name] = MorvaneAnnounce.readBmp(file.bytes);
    });
    var shapes = [];
    for (var n = 0; n < 26; ++n) {
      var letter = String.fromCharCode(65 + n);
      var picture = byName[letter + '.bmp'];
      if (picture)
        shapes.push({ kind: 'letter', ja: '文字 ' + letter, en: 'letter ' + letter,
          points: MorvaneAnnounce.samples(picture, 0, 0, picture.width, picture.height, 88, 16) });
    }
    var sprite = byName['sprite.bmp'];
    if (sprite && sprite.width >= 320 && sprite.height >= 368) {
      shapes.push({ kind: 'mark', ja: '正解', en: 'GOOD!', points: MorvaneAnnounce.samples(sprite, 0, 0, 160, 32, 80, 184) });
      shapes.push({ kind: 'mark', ja: 'ミス', en: 'MISS', points: MorvaneAnnounce.samples(sprite, 0, 32, 160, 32, 80, 184) });
      for (var r = 0; r < 4; ++r)
        shapes.push({ kind: 'rank', ja: 'ランク ' + (r + 1) + '（4 段階、1 が最高）', en: 'rank ' + (r + 1) + ' of 4 (1 is the best)',
          points: MorvaneAnnounce.samples(sprite, 80 * r, 288, 80, 80, 160, 120) });
    }
    MorvaneAnnounce.shapes = shapes;
  },

  // A whole frame (320 x 240 RGBA): what is new on it since the last is said.
  look: function (pixels) {
    var seen = {};
    MorvaneAnnounce.shapes.forEach(function (shape) {
      if (seen[shape.kind]) return;
      var on = shape.points.every(function (p) {
        return pixels[p[0]] === p[1][0] && pixels[p[0] + 1] === p[1][1] && pixels[p[0] + 2] === p[1][2];
      });
      if (on) seen[shape.kind] = shape;
    });
    var ja = [];
    var en = [];
    ['mark', 'letter', 'rank'].forEach(function (kind) {
      var shape = seen[kind];
      if (shape && shape !== MorvaneAnnounce.last[kind]) {
        ja.push(shape.ja);
        en.push(shape.en);
      }
      MorvaneAnnounce.last[kind] = shape;
    });
    if (!ja.length) return;
    var region = document.getElementById('spoken');
    var jaText = document.createElement('span');
    jaText.textContent = ja.join('、') + '。';
    var enText = document.createElement('span');
    enText.lang = 'en';
    enText.textContent = ' ' + en.join(', ') + '.';
    region.replaceChildren(jaText, enText);
  },
};
