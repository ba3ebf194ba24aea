// The page around the program: options from the address, the canvas sized
// to its stage, touch on the canvas, a progress line while loading, plain
// messages when something is missing, keys for the canvas only while it has
// focus, full screen on a gesture, recordings to replay (from the address or
// dropped on the page), a fresh start after Escape, the panels beside the
// picture (tables, plots, the timeline and the indicator line, composed by
// the program), and the test hook window.vennaloft.
(function () {
  'use strict';
  var stage = document.getElementById('stage');
  var canvas = document.getElementById('canvas');
  var overlay = document.getElementById('text');
  var message = document.getElementById('message');
  var messageText = document.getElementById('message-text');
  var restartButton = document.getElementById('restart');
  var loading = document.getElementById('loading');
  var replayLine = document.getElementById('replay');
  var focusLine = document.getElementById('focus-line');
  var keyList = document.getElementById('keylist');
  var followButton = document.getElementById('follow');

  // Listeners of the canvas, kept to be added again to a fresh canvas.
  var canvasListeners = [];
  function onCanvas(type, listener, options) {
    canvasListeners.push({ type: type, listener: listener, options: options });
    canvas.addEventListener(type, listener, options);
  }

  // Why stats() has no figures, while it has none.
  var notRunning = 'the program is still loading';

  function say(text, canStartAgain) {
    messageText.textContent = text;
    restartButton.hidden = !canStartAgain;
    message.style.display = 'flex';
    loading.style.display = 'none';
  }
  function showLoading(text) {
    loading.textContent = text;
    loading.style.display = text ? 'flex' : 'none';
  }
  function fail(text, reason) {
    notRunning = reason;
    say(text, false);
    setControlsEnabled(false);
  }

  // The options in the address ("?nr=45&radius=8&seed=42&f") are read by
  // the program itself, as its command line. "-f" comes back here: full
  // screen needs a gesture, so it waits for the first click (once a page).
  var fullScreenAsked = false;
  var fullScreenTaken = false;

  var program = null;         // the running instance
  var started = false;
  var ended = false;
  var firstFrameAt = null;
  var replayName = null;      // the recording being replayed
  var checkingDrop = null;    // the dropped file the running program is reading
  var diverged = null;
  var lastRecording = null;   // what the program started with, for a fresh start
  function running() { return started && !ended; }

  window.vennaloft = {
    // The help overlay's own figures, or { reason } saying why there are none.
    stats: function () {
      if (!running()) return { reason: ended && started ? 'the demo has ended (Escape)' : notRunning };
      var s = function (i) { return program._vl_stat(i); };
      return { stepsPerSecond: s(0), framesPerSecond: s(1), balls: s(2), shots: s(3),
               paused: s(4) !== 0, timeStep: s(5), inspect: s(8) !== 0, selected: s(9) };
    },
    // Sound: the browser's audio running (after a click or key) and the cues decoded.
    sound: function () {
      return running() ? { running: program._vl_stat(6) !== 0, cuesDecoded: program._vl_stat(7) } : null;
    },
    firstFrameAt: function () { return firstFrameAt; },
    // For the picture check: the glow spheres' pulse held still (see web_main.cpp).
    // The drawing buffer's size, which the page sets from the stage.
    canvasSize: function () { return { width: canvas.width, height: canvas.height }; },
    // Where ball `slot` is on the page (CSS pixels), or null: the tests tap it.
    ballOnPage: function (slot) {
      if (!running()) return null;
      var x = program._vl_ball_on_screen(slot, 0), y = program._vl_ball_on_screen(slot, 1);
      if (x < 0 || y < 0) return null;
      var box = canvas.getBoundingClientRect();
      return { x: box.left + x * box.width / canvas.width, y: box.top + y * box.height / canvas.height };
    },
    ended: false
  };

  // Buttons press keys only while the program runs.
  function setControlsEnabled(on) {
    Array.prototype.forEach.call(document.querySelectorAll('#touch button, #function-keys button[data-special]'),
                                 function (button) { button.disabled = !on; });
  }
  setControlsEnabled(false);

  if (location.protocol === 'file:') {
    fail('This page cannot run from a file: the browser does not let it read the program and its textures. ' +
         'Serve the folder instead, e.g. `make serve-web`, and open the address it prints.',
         'the page was opened from a file, not served');
    return;
  }
  var probe = document.createElement('canvas');
  if (!(probe.getContext('webgl') || probe.getContext('experimental-webgl'))) {
    fail('This browser gives the page no WebGL, which Vennaloft needs to draw. ' +
         'Turn on hardware acceleration or WebGL in its settings, or try another browser.', 'no WebGL');
    window.vennaloft.error = 'no WebGL';
    return;
  }

  // ---- Size: the stage's size times the screen's pixel ratio, with a
  // ceiling on the pixels so that a 4K screen keeps the step rate.
  var kMaxPixels = 1920 * 1080;
  function bufferSize() {
    var box = stage.getBoundingClientRect();
    var ratio = window.devicePixelRatio || 1;
    var width = Math.max(1, Math.round(box.width * ratio));
    var height = Math.max(1, Math.round(box.height * ratio));
    if (width * height > kMaxPixels) {
      var scale = Math.sqrt(kMaxPixels / (width * height));
      width = Math.floor(width * scale);
      height = Math.floor(height * scale);
    }
    return { width: width, height: height };
  }
  function fitCanvas() {
    var size = bufferSize();
    if (canvas.width === size.width && canvas.height === size.height) return;
    canvas.width = size.width;
    canvas.height = size.height;
    if (running()) program._vl_window_size(size.width, size.height);
  }
  if (window.ResizeObserver) new ResizeObserver(function () { if (running()) fitCanvas(); }).observe(stage);
  window.addEventListener('resize', function () { if (running()) fitCanvas(); });

  // ---- Keys belong to the program only while the canvas has focus; a held
  // key's repeats are dropped when the program asks (capture phase, so this
  // runs before the toolkit's own listener). Tab is the browser's, to move on.
  // Escape ends the program, which unwinds out of the call with the
  // runtime's exit status: it is made here, where that is expected, rather
  // than in the toolkit's listener, where it would surface as an error.
  function filterKey(event) {
    if (document.activeElement !== canvas || event.key === 'Tab' ||
        (event.type === 'keydown' && event.repeat && program && program.ignoreKeyRepeat)) {
      event.stopImmediatePropagation();
      return;
    }
    if (event.key === 'Escape') {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type !== 'keydown' || !running()) return;
      endProgram();
    }
  }
  window.addEventListener('keydown', filterKey, true);
  window.addEventListener('keyup', filterKey, true);
  window.addEventListener('keypress', filterKey, true);

  // The toolkit listens for the mouse on the whole window: a press anywhere
  // counted as held, and its release and the moves while held reached the
  // program as its own, so a click on the timeline or a plot (or any
  // button) was input that cut off the steps ahead of a jump. It gets only
  // presses on the picture, and their moves and releases wherever they go.
  var pressedOnCanvas = 0;  // bits of the buttons pressed on the picture
  function filterMouse(event) {
    var bit = 1 << event.button;
    if (event.type === 'mousedown') {
      if (event.target === canvas) {
        pressedOnCanvas |= bit;
        return;
      }
    } else if (event.type === 'mouseup') {
      if (pressedOnCanvas & bit) {
        pressedOnCanvas &= ~bit;
        return;
      }
    } else if (event.target === canvas || pressedOnCanvas !== 0) {
      return;
    }
    event.stopImmediatePropagation();
  }
  window.addEventListener('mousedown', filterMouse, true);
  window.addEventListener('mouseup', filterMouse, true);
  window.addEventListener('mousemove', filterMouse, true);

  function endProgram() {
    try {
      program._vl_escape();
    } catch (thrown) {
      if (!thrown || thrown.name !== 'ExitStatus') throw thrown;
    }
  }

  function showFocus() {
    if (document.body.classList.contains('touch')) {
      focusLine.textContent = 'Tap the picture to fire, drag on it to turn and move the camera. ' +
        'With a keyboard, Escape ends the demo.';
      return;
    }
    focusLine.textContent = document.activeElement === canvas
      ? 'The picture has the keys (H lists them); Tab moves on. Escape ends the demo.'
      : 'Click the picture (or Tab to it) to steer it with the keys. Escape ends the demo.';
  }
  onCanvas('focus', showFocus);
  onCanvas('blur', showFocus);

  function call(name) { if (running()) program[name](); }
  onCanvas('mouseleave', function () { call('_vl_pointer_left'); });
  // Keys let go after the canvas lost the focus never reach it: held input
  // goes with the focus, as with the pointer.
  onCanvas('blur', function () { call('_vl_pointer_left'); });
  onCanvas('mouseenter', function () { call('_vl_pointer_entered'); });
  window.addEventListener('blur', function () { call('_vl_pointer_left'); });
  document.addEventListener('visibilitychange', function () {
    call(document.hidden ? '_vl_page_hidden' : '_vl_page_shown');
  });

  // ---- Full screen: the stage fills the screen and the canvas its stage.
  function goFullScreen() {
    var request = stage.requestFullscreen || stage.webkitRequestFullscreen;
    if (request) {
      var asked = request.call(stage);
      if (asked && asked.catch) asked.catch(function () {});
    }
    canvas.focus();
  }
  document.addEventListener('fullscreenchange', function () { if (running()) fitCanvas(); });
  document.getElementById('fullscreen').addEventListener('click', goFullScreen);
  // The right button fires and follows a shot; no menu over the picture.
  onCanvas('contextmenu', function (event) { event.preventDefault(); });
  onCanvas('mousedown', function () {
    canvas.focus();
    if (fullScreenAsked) {
      fullScreenAsked = false;
      fullScreenTaken = true;
      goFullScreen();
    }
  });

  // ---- The wheel moves the camera over the picture only, and there the
  // page does not scroll; elsewhere the page scrolls as usual (the program
  // stops the toolkit taking it on the whole window).
  onCanvas('wheel', function (event) {
    event.preventDefault();
    if (event.deltaY !== 0 && running()) program._vl_wheel_notch(event.deltaY < 0 ? 1 : 0);
  }, { passive: false });

  // ---- Touch, on the canvas itself and not passive, so the page neither
  // pans nor zooms under a finger. A tap fires (or, with Follow on, fires and
  // follows); a drag holds the arrows: sideways circles the camera, up and
  // down move it forward and back, as far as the finger stays past the dead
  // zone.
  var kLeft = 100, kUp = 101, kRight = 102, kDown = 103;
  var kDeadZone = 16;  // CSS pixels
  var finger = null;
  var follow = false;
  function holdArrow(key, down) {
    if (!finger || finger.held[key] === down) return;
    finger.held[key] = down;
    if (running()) program._vl_special_key_held(key, down ? 1 : 0);
  }
  function letGoArrows() {
    [kLeft, kUp, kRight, kDown].forEach(function (key) { holdArrow(key, false); });
  }
  function touchOf(event) {
    for (var i = 0; i < event.changedTouches.length; i++) {
      if (finger && event.changedTouches[i].identifier === finger.id) return event.changedTouches[i];
    }
    return null;
  }
  onCanvas('touchstart', function (event) {
    event.preventDefault();
    canvas.focus();
    if (finger || !running()) return;
    var t = event.changedTouches[0];
    finger = { id: t.identifier, x: t.clientX, y: t.clientY, dragging: false, held: {}, ball: false };
    // In inspect mode a finger on a ball holds it and drags it.
    if (program._vl_stat(8) !== 0) {
      var p = canvasPoint(t);
      finger.ball = program._vl_pointer_down(p.x, p.y) !== 0;
      if (!finger.ball) program._vl_pointer_up(p.x, p.y);
    }
  }, { passive: false });
  function canvasPoint(t) {
    var box = canvas.getBoundingClientRect();
    return { x: Math.round((t.clientX - box.left) * canvas.width / box.width),
             y: Math.round((t.clientY - box.top) * canvas.height / box.height) };
  }
  onCanvas('touchmove', function (event) {
    event.preventDefault();
    var t = touchOf(event);
    if (!t) return;
    if (finger.ball) {
      if (running()) {
        var p = canvasPoint(t);
        program._vl_pointer_move(p.x, p.y);
      }
      return;
    }
    var dx = t.clientX - finger.x, dy = t.clientY - finger.y;
    if (!finger.dragging && Math.abs(dx) < kDeadZone && Math.abs(dy) < kDeadZone) return;
    finger.dragging = true;
    holdArrow(kLeft, dx < -kDeadZone);
    holdArrow(kRight, dx > kDeadZone);
    holdArrow(kUp, dy < -kDeadZone);
    holdArrow(kDown, dy > kDeadZone);
  }, { passive: false });
  function touchEnded(event) {
    event.preventDefault();
    var t = touchOf(event);
    if (!t) return;
    letGoArrows();
    if (finger.ball) {
      if (running()) {
        var p = canvasPoint(t);
        program._vl_pointer_up(p.x, p.y);
      }
    } else if (!finger.dragging && event.type === 'touchend' && running()) {
      var q = canvasPoint(t);
      program._vl_tap(q.x, q.y, follow ? 1 : 0);
      setFollow(false);
    }
    finger = null;
  }
  onCanvas('touchend', touchEnded, { passive: false });
  onCanvas('touchcancel', touchEnded, { passive: false });
  function setFollow(on) {
    follow = on;
    followButton.setAttribute('aria-pressed', on ? 'true' : 'false');
  }
  followButton.addEventListener('click', function () { setFollow(!follow); });

  if ('ontouchstart' in window || navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches) {
    document.body.classList.add('touch');
  }

  // ---- Buttons for keys: letters and function keys (some a browser keeps
  // for itself). The keys stay with the canvas afterwards on a desktop.
  function pressFromButton(button) {
    if (!running()) return;
    if (button.dataset.special) program._vl_special_key(Number(button.dataset.special));
    if (button.dataset.char) program._vl_key(button.dataset.char.charCodeAt(0));
    if (button.dataset.timeline) program._vl_timeline_end(button.dataset.timeline === 'end' ? 1 : 0);
    if (!document.body.classList.contains('touch')) canvas.focus();
  }
  document.addEventListener('click', function (event) {
    var button = event.target.closest && event.target.closest('button[data-special], button[data-char], button[data-timeline]');
    if (button && !button.disabled) pressFromButton(button);
  });

  // The key list and the function-key buttons come from the program's help
  // panel, so they name whatever keys it has: "F5 / F6  automatic fire /
  // throw mode" gives the buttons "F5 automatic fire" and "F6 throw mode".
  function showKeys() {
    var lines = program.UTF8ToString(program._vl_key_lines()).replace(/\n$/, '').split('\n');
    keyList.textContent = lines.join('\n');
    var row = document.getElementById('function-keys');
    Array.prototype.forEach.call(row.querySelectorAll('button[data-special]'), function (b) { b.remove(); });
    lines.forEach(function (line) {
      var match = /^(F\d+(?: \/ F\d+)*)\s+(.*)$/.exec(line);
      if (!match) return;
      var keys = match[1].split(' / ');
      var actions = match[2].split(' / ');
      keys.forEach(function (key, i) {
        var button = document.createElement('button');
        button.type = 'button';
        button.dataset.special = key.slice(1);
        button.textContent = key + ' ' + (actions.length === keys.length ? actions[i] : match[2]);
        row.appendChild(button);
      });
    });
  }

  // ---- The panels beside the picture: the program composes what each
  // shows (vl_lab_json); the page only lays it out, a few times a second
  // rather than every frame. Help, the ball panel and the legend follow the
  // program's H, I (or a selection) and V; the data and plot panels are the
  // page's own (?lab opens them at the start).
  var lab = {
    indicator: document.getElementById('indicator'),
    timeline: document.getElementById('timeline'),
    timelineText: document.getElementById('timeline-text'),
    timelineMarks: document.getElementById('timeline-marks'),
    plots: document.getElementById('plots'),
    panels: {},
    shown: {},       // what the program showed at the last reading
    texts: {},       // each panel's last JSON, so an unchanged table is left alone
    state: null,
    timer: null,
    dragging: false
  };
  var kPanelBits = { help: 1, ball: 2, legend: 4, data: 8, plots: 16 };
  Array.prototype.forEach.call(document.querySelectorAll('#lab details[data-panel]'), function (d) {
    lab.panels[d.dataset.panel] = d;
  });

  // Only panels on screen are composed and drawn: one scrolled out of
  // sight (the plots under a long table, the panels under a phone's
  // picture) costs nothing until it comes back.
  var onScreen = {};
  if (window.IntersectionObserver) {
    var watcher = new IntersectionObserver(function (entries) {
      entries.forEach(function (entry) {
        var name = entry.target.dataset.panel;
        var was = onScreen[name];
        onScreen[name] = entry.isIntersecting;
        if (!was && entry.isIntersecting) refreshLab();
      });
    });
    Object.keys(lab.panels).forEach(function (name) { watcher.observe(lab.panels[name]); });
  }
  // Tables out of sight are still filled when they open and every two
  // seconds, for whoever reads the page without looking (a screen reader);
  // plots, pictures to such a reader, only when they open.
  var readings = 0;
  function openMask() {
    var mask = 0;
    var all = ++readings % 8 === 0;
    Object.keys(lab.panels).forEach(function (name) {
      var d = lab.panels[name];
      var opened = d.open && d.dataset.filled !== 'yes';
      d.dataset.filled = d.open ? 'yes' : '';
      if (d.open && !d.hidden && ((all && name !== 'plots') || opened || onScreen[name] !== false)) {
        mask |= kPanelBits[name];
      }
    });
    return mask;
  }

  // A table from {title, columns, rows: [{cells, marked, header, swatch}]}:
  // header rows name the columns below them; the data table's ball rows
  // select their ball.
  function tableOf(panel, name) {
    var table = document.createElement('table');
    if (name === 'data') table.className = 'figures';
    var caption = document.createElement('caption');
    caption.className = 'visually-hidden';
    caption.textContent = panel.title;
    table.appendChild(caption);
    var width = Math.max(1, panel.columns);
    var body = table.createTBody();
    if (name === 'data') body.className = 'pick';
    panel.rows.forEach(function (row) {
      var tr = body.insertRow();
      row.cells.forEach(function (text, i) {
        var cell = document.createElement(row.header ? 'th' : 'td');
        if (row.header) cell.scope = 'col';
        if (i === 0 && row.swatch) {
          var swatch = document.createElement('span');
          swatch.className = 'swatch';
          swatch.style.background = row.swatch;
          cell.appendChild(swatch);
        }
        cell.appendChild(document.createTextNode(text));
        // A short row's last text runs on over the empty columns, but for figures, which keep their column.
        if (name !== 'data' && i === row.cells.length - 1 && row.cells.length < width) {
          cell.colSpan = width - i;
        }
        tr.appendChild(cell);
      });
      if (row.header) tr.className = 'heading';
      if (row.marked) tr.setAttribute('aria-selected', 'true');
      if (name === 'data' && !row.header && /^\d+$/.test(row.cells[0])) {
        tr.dataset.slot = row.cells[0];
      }
    });
    return table;
  }

  // An unchanged table is left alone; one of the same shape has its texts
  // and marks updated in place (cheaper than new rows four times a second);
  // any other is made anew.
  function showTable(name, panel) {
    var text = JSON.stringify(panel);
    if (lab.texts[name] === text) return;
    lab.texts[name] = text;
    var box = lab.panels[name].querySelector('.table-box');
    var shape = panel.columns + ':' + panel.rows.map(function (row) {
      return (row.header ? 'h' : 'd') + row.cells.length + (row.swatch || '');
    }).join(',');
    var table = box.firstChild;
    if (!table || box.dataset.shape !== shape) {
      box.dataset.shape = shape;
      box.replaceChildren(tableOf(panel, name));
      return;
    }
    panel.rows.forEach(function (row, r) {
      var tr = table.tBodies[0].rows[r];
      row.cells.forEach(function (cellText, c) {
        var node = tr.cells[c].lastChild;
        if (node.data !== cellText) node.data = cellText;
      });
      if (row.marked) tr.setAttribute('aria-selected', 'true'); else tr.removeAttribute('aria-selected');
      if (tr.dataset.slot !== undefined) tr.dataset.slot = row.cells[0];
    });
  }

  var kSeriesColours = { kinetic: '#ff9060', potential: '#60b0ff', total: '#f0f0f0', contacts: '#c080ff',
                         'selected speed': '#70e070' };

  // A series over the kept steps, with the cursor at the current step.
  function drawPlot(canvasOf, values, at, colour) {
    var ratio = window.devicePixelRatio || 1;
    var width = Math.max(1, Math.round(canvasOf.clientWidth * ratio));
    var height = Math.max(1, Math.round(canvasOf.clientHeight * ratio));
    if (canvasOf.width !== width) canvasOf.width = width;
    if (canvasOf.height !== height) canvasOf.height = height;
    var g = canvasOf.getContext('2d');
    g.clearRect(0, 0, width, height);
    if (values.length === 0) return;
    var low = Math.min.apply(null, values), high = Math.max.apply(null, values);
    if (high === low) { high += 1; low -= 1; }
    var pad = 3 * ratio;
    var last = Math.max(1, values.length - 1);
    g.strokeStyle = colour;
    g.lineWidth = ratio;
    g.beginPath();
    values.forEach(function (v, i) {
      var x = (i / last) * (width - 1);
      var y = height - pad - ((v - low) / (high - low)) * (height - 2 * pad);
      if (i === 0) g.moveTo(x, y); else g.lineTo(x, y);
    });
    g.stroke();
    g.fillStyle = '#f0c040';
    g.fillRect(Math.round((at / last) * (width - 1)) - ratio, 0, 2 * ratio, height);
  }

  function showPlots(plots, current) {
    var series = plots ? plots.series : [];
    while (lab.plots.children.length > series.length) lab.plots.lastChild.remove();
    series.forEach(function (one, i) {
      var figure = lab.plots.children[i];
      if (!figure) {
        figure = document.createElement('figure');
        figure.className = 'plot';
        figure.appendChild(document.createElement('figcaption'));
        var c = document.createElement('canvas');
        c.setAttribute('role', 'img');
        figure.appendChild(c);
        jumpsFrom(c, function () { return figure.span; });
        lab.plots.appendChild(figure);
      }
      figure.span = { first: plots.first, count: one.values.length };
      var at = current - plots.first;
      // Paused, nothing moves: the plot is left as drawn.
      var drawn = [plots.first, one.values.length, at, figure.lastChild.clientWidth, one.values[at]].join(' ');
      if (figure.drawn === drawn) return;
      figure.drawn = drawn;
      var value = one.values[at];
      var low = Math.min.apply(null, one.values), high = Math.max.apply(null, one.values);
      figure.firstChild.textContent = one.name + (value !== undefined ? ': ' + value : '') +
        (one.values.length ? ' (' + low + ' to ' + high + ')' : '');
      figure.lastChild.setAttribute('aria-label', one.name + ' over the kept steps, ' + one.values.length +
                                    ' steps; press or drag to jump');
      drawPlot(figure.lastChild, one.values, at, kSeriesColours[one.name] || '#8fd0ff');
    });
  }

  // A press or drag across a plot jumps to the step under it.
  function jumpsFrom(target, span) {
    var down = false;
    function jump(event) {
      var s = span();
      if (!s || !running()) return;
      var box = target.getBoundingClientRect();
      var fraction = Math.min(1, Math.max(0, (event.clientX - box.left) / box.width));
      program._vl_jump(s.first + Math.round(fraction * Math.max(0, s.count - 1)));
      refreshLab();
    }
    target.addEventListener('pointerdown', function (event) {
      down = true;
      target.setPointerCapture(event.pointerId);
      jump(event);
    });
    target.addEventListener('pointermove', function (event) { if (down) jump(event); });
    target.addEventListener('pointerup', function () { down = false; });
    target.addEventListener('pointercancel', function () { down = false; });
  }

  // Fire, throw, drag, reset, a branch, an edit: the first kind a mark has.
  var kMarkColours = ['#ff5050', '#ffa040', '#70e070', '#ffffff', '#f0c040', '#60b0ff'];
  function markColour(kind) {
    for (var k = 0; k < kMarkColours.length; k++) if (kind & (1 << k)) return kMarkColours[k];
    return '#999';
  }

  function showTimeline(state) {
    var t = state.timeline;
    if (!lab.dragging) {
      lab.timeline.min = t.first;
      lab.timeline.max = t.last;
      lab.timeline.value = state.step;
    }
    lab.timeline.disabled = t.last <= t.first;
    var where = 'step ' + state.step + ' of ' + t.first + '-' + t.last + (state.paused ? ' (paused)' : '');
    if (lab.timelineText.textContent !== where) lab.timelineText.textContent = where;
    lab.timeline.setAttribute('aria-valuetext', 'step ' + state.step);
    var c = lab.timelineMarks;
    var drawn = [t.first, t.last, t.marks.length, t.marks[t.marks.length - 2], c.clientWidth].join(' ');
    if (c.dataset.drawn === drawn) return;
    c.dataset.drawn = drawn;
    var ratio = window.devicePixelRatio || 1;
    var width = Math.max(1, Math.round(c.clientWidth * ratio));
    var height = Math.max(1, Math.round(c.clientHeight * ratio));
    if (c.width !== width) c.width = width;
    if (c.height !== height) c.height = height;
    var g = c.getContext('2d');
    g.clearRect(0, 0, width, height);
    var span = Math.max(1, t.last - t.first);
    for (var i = 0; i + 1 < t.marks.length; i += 2) {
      g.fillStyle = markColour(t.marks[i + 1]);
      g.fillRect(Math.round(((t.marks[i] - t.first) / span) * (width - 1)), 0, Math.max(1, ratio), height);
    }
  }
  lab.timeline.addEventListener('input', function () {
    if (!running()) return;
    lab.dragging = true;
    program._vl_jump(Number(lab.timeline.value));
    refreshLab();
  });
  lab.timeline.addEventListener('change', function () { lab.dragging = false; });

  // The program's panels follow its keys: a panel the program starts or stops
  // showing opens or closes here; opening or closing one here presses its key.
  function followProgram(name, shown) {
    var was = lab.shown[name];
    lab.shown[name] = shown;
    if (was !== shown) lab.panels[name].open = shown;
  }
  lab.panels.help.addEventListener('toggle', function () {
    if (running() && lab.state && lab.panels.help.open !== (lab.state.help !== 0)) {
      program._vl_key('h'.charCodeAt(0));
      lab.state.help = lab.panels.help.open ? 1 : 0;
      lab.shown.help = lab.panels.help.open;
    }
    refreshLab();
  });
  ['ball', 'legend'].forEach(function (name) {
    lab.panels[name].addEventListener('toggle', refreshLab);
  });
  // The data table and the plots are the lab's panels (-lab opens both).
  var kLabBits = { data: 1, plots: 2 };
  ['data', 'plots'].forEach(function (name) {
    lab.panels[name].addEventListener('toggle', function () {
      if (running() && lab.state) {
        var bits = lab.state.labPanels & ~kLabBits[name];
        if (lab.panels[name].open) bits |= kLabBits[name];
        if (bits !== lab.state.labPanels) {
          program._vl_set_lab_panels(bits);
          lab.state.labPanels = bits;
          lab.shown[name] = lab.panels[name].open;
        }
      }
      refreshLab();
    });
  });
  // A click or tap on a ball's row selects that ball.
  lab.panels.data.addEventListener('click', function (event) {
    var tr = event.target.closest && event.target.closest('tr[data-slot]');
    if (!tr || !running()) return;
    program._vl_select_ball(Number(tr.dataset.slot));
    refreshLab();
  });

  // The ball panel's fields: the selected ball's position and velocity,
  // filled from the program while none of them is being typed in, set as a
  // recorded edit (undone by B) when the program has one.
  var editForm = document.getElementById('ball-edit');
  var editStatus = document.getElementById('ball-edit-status');
  var kEditFields = ['px', 'py', 'pz', 'vx', 'vy', 'vz'];
  function showBallFields(state) {
    var can = running() && typeof program._vl_edit_ball === 'function' && state.selected >= 0 && !!state.ball;
    editForm.hidden = !can;
    if (!can) {
      editForm.dataset.slot = '';
      return;
    }
    var slot = String(state.selected);
    var typing = (editForm.dataset.typed === 'yes' || editForm.contains(document.activeElement)) &&
      editForm.dataset.slot === slot;
    if (typing) return;
    if (editForm.dataset.slot !== slot) editStatus.textContent = '';
    editForm.dataset.slot = slot;
    editForm.dataset.typed = '';
    kEditFields.forEach(function (name, i) {
      editForm.elements[name].value = Number(state.ball[i].toFixed(i < 3 ? 2 : 3));
    });
  }
  // Typed figures stay until they are set or another ball is selected.
  editForm.addEventListener('input', function () { editForm.dataset.typed = 'yes'; });
  editForm.addEventListener('submit', function (event) {
    event.preventDefault();
    if (!running() || editForm.dataset.slot === '') return;
    var which = Number(event.submitter ? event.submitter.value : 3);
    var v = kEditFields.map(function (name) { return Number(editForm.elements[name].value); });
    var done = program._vl_edit_ball(Number(editForm.dataset.slot), v[0], v[1], v[2], v[3], v[4], v[5], which);
    editStatus.textContent = done ? (which === 1 ? 'Position set' : 'Velocity set') + ' (B undoes it).'
      : 'Not set: ' + program.UTF8ToString(program._vl_edit_refusal());
    if (done) editForm.dataset.typed = '';
    if (document.activeElement && editForm.contains(document.activeElement)) document.activeElement.blur();
    refreshLab();
  });

  function refreshLab() {
    if (!running()) return;
    var state = JSON.parse(program.UTF8ToString(program._vl_lab_json(openMask())));
    lab.state = state;
    followProgram('help', state.help !== 0);
    followProgram('ball', state.inspect !== 0 || state.selected >= 0);
    lab.panels.legend.hidden = state.collisionView === 0;
    followProgram('legend', state.collisionView !== 0);
    followProgram('data', (state.labPanels & kLabBits.data) !== 0);
    followProgram('plots', (state.labPanels & kLabBits.plots) !== 0);
    if (lab.indicator.textContent !== state.indicator) lab.indicator.textContent = state.indicator;
    showBallFields(state);
    showTimeline(state);
    Object.keys(state.panels).forEach(function (name) { showTable(name, state.panels[name]); });
    if (state.plots) showPlots(state.plots, state.step);
  }
  function startLab() {
    lab.shown = {};
    lab.texts = {};
    if (lab.timer === null) lab.timer = setInterval(refreshLab, 250);
    refreshLab();
  }

  // ---- The program.
  function programOptions(recording) {
    var options = {
      canvas: canvas,
      textOverlay: overlay,
      arguments: [],
      // The cues are decoded from the packed files when loaded, not beforehand.
      noAudioDecoding: true,
      setStatus: function (text) {
        var parts = /\((\d+)\/(\d+)\)/.exec(text || '');
        if (parts && Number(parts[2]) > 0) {
          showLoading('Loading the textures and sounds: ' +
                      Math.floor(100 * Number(parts[1]) / Number(parts[2])) + ' %');
        }
      },
      preRun: recording ? [function () {
        options.FS_createDataFile('/', fileNameOf(recording), recording.bytes, true, false, false);
      }] : [],
      onFullScreenAsked: function () { if (!fullScreenTaken) fullScreenAsked = true; },
      onReady: function () {
        started = true;
        showLoading('Starting ...');
        fitCanvas();
        showKeys();
        setControlsEnabled(true);
        startLab();
      },
      onFirstFrame: function () {
        firstFrameAt = performance.now();
        showLoading('');
      },
      onProgramEnded: function () {
        ended = true;
        window.vennaloft.ended = true;
        setControlsEnabled(false);
        say('Ended (Escape).', true);
      },
      onAbort: function (what) {
        if (message.style.display === 'flex') return;  // the first reason is the one to tell
        var text = String(what || '').replace(/\s*Build with -s ASSERTIONS=1 for more info\.?/, '')
          .replace(/^RuntimeError: /, '').replace(/^Aborted\((.*)\)\.?$/, '$1');
        if (/wasm|WebAssembly|CompileError|LinkError|magic/i.test(text) && !started) {
          fail('The program (vennaloft.wasm) is missing or damaged (' + text +
               '). Serve the whole build/web folder and reload.', 'vennaloft.wasm could not be loaded');
        } else if (!ended) {
          fail('Vennaloft stopped: ' + text, 'the program stopped: ' + text);
        }
      },
      onReplayStarted: function (steps, seed, balls, radius) {
        showReplay('Replaying ' + replayName + ': ' + steps + ' steps recorded with seed ' + (seed >>> 0) + ', ' +
                   balls + ' balls of radius ' + radius + '.');
      },
      onReplayRefused: function (reason) {
        if (checkingDrop !== null) {
          showReplay('cannot replay ' + checkingDrop + ': ' + reason);
        } else {
          refuseAtStart(replayName, reason);
        }
      },
      // The replay's verdicts go to the line under the canvas as well.
      printErr: function (text) {
        if (!/^replay /.test(text)) {
          console.warn(text);
          return;
        }
        console.log(text);
        if (/^replay diverges/.test(text)) diverged = text;
        showReplay(replayName + ': ' + (diverged !== null && diverged !== text ? diverged + '; ' + text : text));
      }
    };
    return options;
  }

  function showReplay(text) { replayLine.textContent = text; }

  // Nothing starts with a recording that cannot be had or trusted, as on the desktop.
  function refuseAtStart(name, reason) {
    showReplay('cannot replay ' + name + ': ' + reason);
    fail('The recording ' + name + ' cannot be replayed: ' + reason +
         '. Drop another recording on the page, or leave replay out of the address.', 'the recording was refused');
    ended = true;
    window.vennaloft.ended = true;
  }

  // A failed download of the textures and sounds surfaces as an uncaught
  // error from the loader; say so rather than leave the canvas blank.
  window.addEventListener('error', function (event) {
    var text = String(event.message || event.error || '');
    if (/vennaloft\.data|NetworkError|Not Found|File not found/i.test(text)) {
      fail('The textures and sounds (vennaloft.data) could not be loaded: ' + text +
           '. Serve the whole build/web folder, vennaloft.data included.', 'vennaloft.data could not be loaded');
    } else if (/vennaloft\.js/.test(event.filename || '') && !started) {
      fail('Vennaloft stopped: ' + text, 'the program stopped while loading');
    } else if (running() && /vennaloft\.js/.test(event.filename || '')) {
      fail('Vennaloft stopped: ' + text, 'the program stopped');
    }
  });

  var factoryLoaded = null;
  function loadFactory() {
    if (!factoryLoaded) {
      factoryLoaded = new Promise(function (resolve, reject) {
        var script = document.createElement('script');
        script.src = 'vennaloft.js';
        script.onload = function () { resolve(window.createVennaloft); };
        script.onerror = function () { reject(new Error('vennaloft.js could not be loaded')); };
        document.body.appendChild(script);
      });
    }
    return factoryLoaded;
  }

  // The recording's own name in the runtime's files, so the replay indicator
  // names it: the last part of its address, in safe characters.
  function fileNameOf(recording) {
    var name = String(recording.name).split(/[\/\\?#]/).filter(Boolean).pop() || '';
    name = name.replace(/[^A-Za-z0-9._-]/g, '_').replace(/^\.+/, '');
    return name || 'recording.vlr';
  }

  function loadProgram(recording) {
    lastRecording = recording;
    var options = programOptions(recording);
    if (recording) {
      replayName = recording.name;
      options.arguments.push('-replay', '/' + fileNameOf(recording));
    }
    program = options;
    showLoading('Loading the program ...');
    loadFactory().then(function (create) {
      // The instance is `options` itself, filled in as it loads; the promise
      // only reports a start that failed, which onAbort has already shown.
      create(options).catch(function () {});
    }, function (error) {
      fail('The program (vennaloft.js) could not be loaded: ' + error.message +
           '. Serve the whole build/web folder.', 'vennaloft.js could not be loaded');
    });
  }

  // Start again after Escape: a fresh instance on fresh canvases, so nothing
  // of the ended program (its GL context, its timers) reaches the new one.
  restartButton.addEventListener('click', function () {
    var freshCanvas = canvas.cloneNode(false);
    var freshOverlay = overlay.cloneNode(false);
    stage.replaceChild(freshCanvas, canvas);
    stage.replaceChild(freshOverlay, overlay);
    canvas = freshCanvas;
    overlay = freshOverlay;
    rewireCanvas();
    message.style.display = 'none';
    started = false;
    ended = false;
    firstFrameAt = null;
    diverged = null;
    notRunning = 'the program is still loading';
    window.vennaloft.ended = false;
    loadProgram(lastRecording);
    canvas.focus();
  });

  function rewireCanvas() {
    canvasListeners.forEach(function (l) { canvas.addEventListener(l.type, l.listener, l.options); });
  }

  // ---- A dropped recording is read by the running program's reader first:
  // a file it refuses leaves the demo as it is. One it accepts goes to a
  // fresh start of the page (through sessionStorage, as text of byte values),
  // which lays the scene out from the file's options exactly as the desktop
  // does for -replay; nothing of the demo that ran can leak into the replay.
  var droppedKey = 'vennaloft.droppedRecording';
  function replayAfterReload(name, bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    try {
      sessionStorage.setItem(droppedKey, JSON.stringify({ name: name, text: text }));
    } catch (error) {
      showReplay('cannot replay ' + name + ': the browser cannot hold it for the page (' + bytes.length + ' bytes)');
      return;
    }
    location.reload();
  }
  function takeDroppedRecording() {
    var stored = null;
    try {
      stored = JSON.parse(sessionStorage.getItem(droppedKey));
      sessionStorage.removeItem(droppedKey);
    } catch (error) {
      return null;
    }
    if (!stored) return null;
    var bytes = new Uint8Array(stored.text.length);
    for (var i = 0; i < bytes.length; i++) bytes[i] = stored.text.charCodeAt(i);
    return { name: stored.name, bytes: bytes };
  }
  document.addEventListener('dragover', function (event) { event.preventDefault(); });
  document.addEventListener('drop', function (event) {
    event.preventDefault();
    var file = event.dataTransfer && event.dataTransfer.files[0];
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      var bytes = new Uint8Array(buffer);
      if (!running()) {
        replayAfterReload(file.name, bytes);
        return;
      }
      program.FS_createDataFile('/', 'dropped.vlr', bytes, true, false, false);
      checkingDrop = file.name;
      var accepted = program._vl_check_dropped_replay();
      checkingDrop = null;
      program.FS_unlink('/dropped.vlr');
      if (accepted) replayAfterReload(file.name, bytes);
    });
  });

  // "?replay=NAME": a recording of this site, fetched before the program loads.
  function fetchRecording(address) {
    var url = new URL(address, location.href);
    if (url.origin !== location.origin) {
      refuseAtStart(address, 'not a file of this site');
      return;
    }
    showReplay('Loading ' + address + ' ...');
    fetch(url).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then(function (buffer) {
      loadProgram({ name: address, bytes: new Uint8Array(buffer) });
    }, function (error) {
      refuseAtStart(address, 'could not be loaded (' + error.message + ')');
    });
  }

  // Offline after one visit: the service worker keeps the last copy of each file.
  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('service-worker.js').catch(function () {});
  }

  canvas.focus();
  showFocus();
  var dropped = takeDroppedRecording();
  var asked = new URLSearchParams(location.search).get('replay');
  if (dropped) {
    loadProgram(dropped);
  } else if (asked !== null && asked !== '') {
    fetchRecording(asked);
  } else {
    loadProgram(null);
  }
})();
