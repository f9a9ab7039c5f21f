// The page around the WebAssembly dryer: copies the frame buffer to the canvas, forwards mouse,
// touch and keys, paces the ticks by the speed, and shows the sliders, relays, status line and
// help. Every rule of the device lives in the C++ code; this file only moves data.
'use strict';
var Module = typeof Module !== 'undefined' ? Module : {};
(function () {
  const kTickMs = 50;
  const kMinStepMs = 16;             // about one display frame
  const kPausedStepMs = 250;
  const kMsPerDay = 86400000;
  const kMaxCatchUpMs = 3600000;     // after a sleeping tab: at most one simulated hour at once
  const kHintPeriodMs = 7000;        // the panel window's hint timer
  const kHintRestPeriodMs = 4000;    // the rest over the bare panel before the next hint
  const kBeepGain = 0.15;
  const kRecordingPath = '/tmp/siccora-recording.yaml';
  const kManualPath = '/data/rk52.htm';
  // The application window's strings by id (siccora.rc).
  const kStrings = { 211: 'Ventilator 1/2', 212: 'Compressor', 213: 'Heating', 214: 'Heizgas',
                     215: 'Temp.', 216: 'Humidity' };

  const $ = (id) => document.getElementById(id);
  let canvas, context, image;
  let speed = 1, lastTime = null, owedMs = 0, stepTimer = null;
  let hintTimer = null, helpMode = false, mouse = { x: -1, y: -1 };
  let relayState = '', audio = null;

  Module.latin1 = function (pointer) {
    let text = '';
    for (let p = pointer; Module.HEAPU8[p] !== 0; ++p) text += String.fromCharCode(Module.HEAPU8[p]);
    return text;
  };
  Module.lcdRow = (row) => Module.UTF8ToString(Module._web_lcd_row(row));
  Module.ledOn = function (name) {
    for (let i = 0; i < Module._web_led_count(); ++i) {
      if (Module.UTF8ToString(Module._web_led_name(i)) === name) return Module._web_led_on(i) === 1;
    }
    return false;
  };
  Module.onStatus = (text) => { $('status').textContent = text; };
  Module.onBeep = function (frequency, duration) {
    if (!audio) return;  // no sound before the first user gesture
    const oscillator = audio.createOscillator();
    const gain = audio.createGain();
    oscillator.frequency.value = frequency;
    gain.gain.value = kBeepGain;
    oscillator.connect(gain).connect(audio.destination);
    oscillator.start();
    oscillator.stop(audio.currentTime + duration / 1000);
    Module.beeps = (Module.beeps || 0) + 1;
  };

  function localClockMs(date) {
    return ((date.getHours() * 60 + date.getMinutes()) * 60 + date.getSeconds()) * 1000 +
        date.getMilliseconds();
  }

  function draw() {
    const pointer = Module._web_frame();
    if (!pointer) return false;
    image.data.set(Module.HEAPU8.subarray(pointer, pointer + image.data.length));
    context.putImageData(image, 0, 0);
    Module.framesDrawn = (Module.framesDrawn || 0) + 1;
    return true;
  }

  function showRelays() {
    let state = '';
    for (let i = 0; i < Module._web_relay_count(); ++i) state += Module._web_relay_on(i);
    if (state === relayState) return;
    relayState = state;
    for (let i = 0; i < state.length; ++i) $('relay' + i).classList.toggle('on', state[i] === '1');
  }

  function showSliders() {
    for (let row = 0; row < 2; ++row) {
      const value = Module._web_slider_value(row);
      $('slider' + row).value = value;
      $('value' + row).value = value;
      $('text' + row).textContent = Module.latin1(Module._web_slider_text(row));
    }
  }

  // Ticks are paced by timers, not animation frames: an idle tab at 1x sleeps through the quiet
  // ticks the engine would skip anyway and wakes for the next one with work, at 60x about every
  // frame; input wakes it at once. The canvas is copied only when the panel changed.
  function nextDelayMs() {
    if (speed <= 0) return kPausedStepMs;
    const ticks = Math.max(1, Module._web_quiet_ticks());
    return Math.max(kMinStepMs, ticks * kTickMs / speed);
  }

  function wake() {
    clearTimeout(stepTimer);
    stepTimer = setTimeout(step, 0);
  }

  function step() {
    const now = performance.now();
    if (lastTime !== null && speed > 0) {
      owedMs += Math.min(now - lastTime, kMaxCatchUpMs / speed) * speed;
      const ticks = Math.floor(owedMs / kTickMs);
      if (ticks > 0) {
        owedMs -= ticks * kTickMs;
        Module._web_advance(ticks);
      }
    }
    lastTime = now;
    draw();
    showRelays();
    stepTimer = setTimeout(step, nextDelayMs());
  }

  // After input: the changed panel on the next frame, without waiting for the next tick.
  let drawPending = false;
  function drawSoon() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => { drawPending = false; draw(); });
  }

  function canvasPoint(event) {
    const rect = canvas.getBoundingClientRect();
    return { x: Math.floor((event.clientX - rect.left) * canvas.width / rect.width),
             y: Math.floor((event.clientY - rect.top) * canvas.height / rect.height) };
  }

  function showHelpNote(text) {
    const note = $('help-note');
    note.textContent = text;
    note.hidden = false;
  }

  function showHelpAt(point) {
    const pointer = Module._web_help(point.x, point.y);
    if (pointer) showHelpNote(Module.latin1(pointer) || '(no help for this area)');
  }

  function restartHintTimer(delay) {
    clearTimeout(hintTimer);
    hintTimer = setTimeout(function next() {
      Module._web_hint();
      hintTimer = setTimeout(next, kHintPeriodMs);
    }, delay);
  }

  function wakeAudio() {
    if (audio) return;
    const AudioContext = window.AudioContext || window.webkitAudioContext;
    if (AudioContext) audio = new AudioContext();
  }

  function bindPanel() {
    canvas.addEventListener('pointerdown', (event) => {
      wakeAudio();
      $('help-note').hidden = true;
      const point = canvasPoint(event);
      if (helpMode) {
        showHelpAt(point);
        helpMode = false;
        $('helpmode').classList.remove('active');
        return;
      }
      if (event.button !== 0) return;
      try { canvas.setPointerCapture(event.pointerId); } catch (error) { /* not a live pointer */ }
      Module._web_pointer_down(point.x, point.y, event.ctrlKey || $('hold').checked ? 1 : 0);
      drawSoon();
      wake();
      event.preventDefault();
    });
    canvas.addEventListener('pointerup', (event) => {
      if (event.button !== 0) return;
      Module._web_pointer_up(event.ctrlKey || $('hold').checked ? 1 : 0);
      wake();
    });
    canvas.addEventListener('pointermove', (event) => {
      mouse = canvasPoint(event);
      if (Module._web_hover(mouse.x, mouse.y)) {
        clearTimeout(hintTimer);
        hintTimer = null;
        return;
      }
      if (hintTimer === null) Module._web_hint();
      restartHintTimer(kHintRestPeriodMs);
    });
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    document.addEventListener('keydown', (event) => { if (event.key === 'F1') event.preventDefault(); });
    document.addEventListener('keyup', (event) => {
      if (event.key === 'F1') { event.preventDefault(); showHelpAt(mouse); return; }
      Module._web_key_released();
      drawSoon();
      wake();
    });
    // Switching "hold" off does what releasing Ctrl and pressing a key does on the desktop.
    $('hold').addEventListener('change', () => {
      if (!$('hold').checked) Module._web_key_released();
      wake();
    });
    $('helpmode').addEventListener('click', () => {
      helpMode = !helpMode;
      $('helpmode').classList.toggle('active', helpMode);
    });
  }

  function bindSimulation() {
    for (let row = 0; row < 2; ++row) {
      $('label' + row).textContent = kStrings[Module._web_slider_label(row)] || '';
      for (const id of ['slider' + row, 'value' + row]) {
        $(id).min = Module._web_slider_minimum(row);
        $(id).max = Module._web_slider_maximum(row);
        $(id).addEventListener('input', () => {
          const value = parseInt($(id).value, 10);
          if (Number.isNaN(value)) return;
          Module._web_set_slider(row, value);
          wake();
          showSliders();
        });
      }
    }
    const relays = $('relays');
    for (let i = 0; i < Module._web_relay_count(); ++i) {
      const box = document.createElement('span');
      box.className = 'relay';
      box.id = 'relay' + i;
      box.textContent = kStrings[Module._web_relay_label(i)] || '';
      relays.appendChild(box);
    }
    showSliders();
  }

  function download(bytes, name, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
  }

  function bindBar() {
    $('speed').addEventListener('change', () => {
      speed = Number($('speed').value);
      owedMs = 0;
      wake();
    });
    $('help').addEventListener('click', () => {
      const manual = Module.FS.readFile(kManualPath);
      window.open(URL.createObjectURL(new Blob([manual], { type: 'text/html' })), '_blank');
    });
    $('record').addEventListener('click', () => {
      if (Module._web_record_start()) { $('save').disabled = false; $('record').textContent = 'Recording…'; }
      wake();
    });
    $('save').addEventListener('click', () => {
      Module._web_record_stop();
      download(Module.FS.readFile(kRecordingPath), 'siccora-recording.yaml', 'text/yaml');
      $('save').disabled = true;
      $('record').textContent = 'Record';
    });
    $('restart').addEventListener('click', () => {
      const parts = ($('start-time').value || '00:00:00').split(':').map(Number);
      startAt((((parts[0] || 0) * 60 + (parts[1] || 0)) * 60 + (parts[2] || 0)) * 1000);
      $('save').disabled = true;
      $('record').textContent = 'Record';
    });
  }

  function startAt(clockMs) {
    if (!Module._web_start(clockMs % kMsPerDay)) {
      Module.onStatus('The dryer\'s data set cannot be read.');
      return;
    }
    relayState = '';
    owedMs = 0;
    if (image) draw();
    if (stepTimer !== null) wake();  // the ticks run already: the new start's first one now
  }

  Module.onRuntimeInitialized = function () {
    Module.runtimeReadyMs = performance.now();
    canvas = $('panel');
    context = canvas.getContext('2d');
    const now = new Date();
    $('start-time').value = now.toTimeString().slice(0, 8);
    startAt(localClockMs(now));
    canvas.width = Module._web_width();
    canvas.height = Module._web_height();
    image = context.createImageData(canvas.width, canvas.height);
    draw();
    bindPanel();
    bindSimulation();
    bindBar();
    restartHintTimer(kHintPeriodMs);
    Module.pageReady = true;
    window.siccora = Module;  // for automation
    step();
  };
})();
